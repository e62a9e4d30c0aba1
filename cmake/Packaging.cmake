# Debian packages, made with `cpack -G DEB` in a build directory:
# liblarchfield-dev (headers, library, CMake and pkg-config files) and windcart
# (the game and its data); a shared build adds liblarchfield0 (the shared
# library the other two then need).
set(CPACK_PACKAGE_NAME larchfield)
set(CPACK_PACKAGE_VENDOR "Larchfield")
set(CPACK_PACKAGE_CONTACT "Larchfield and Windcart developers <larchfield@localhost>")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_COMPONENTS_ALL dev game)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_DEV_PACKAGE_NAME liblarchfield-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_DESCRIPTION "2D game library over SDL2 and OpenGL - development files
Headers, library, CMake package (find_package(Larchfield)) and pkg-config
file (larchfield) of Larchfield, a 2D game library over SDL2, OpenGL 1.x,
FTGL, SDL2_image and SDL2_mixer.")
# What a program built with Larchfield compiles and links against; pkg-config
# also finds FTGL for the CMake package.
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
    "libsdl2-dev, libsdl2-image-dev, libsdl2-mixer-dev, libftgl-dev, libglew-dev, libgl-dev, libglu1-mesa-dev | libglu-dev, pkgconf | pkg-config")

set(CPACK_DEBIAN_GAME_PACKAGE_NAME windcart)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
set(CPACK_DEBIAN_GAME_DESCRIPTION "small arcade toy: a cart on cables in a fall of leaves
A cart rides three cables through a fall of wind-blown leaves: reach the
blue targets, dodge the leaves. Built on the Larchfield 2D game library.")
# The runtime libraries are read off the executable by dpkg-shlibdeps.
set(CPACK_DEBIAN_GAME_PACKAGE_SHLIBDEPS ON)

if(BUILD_SHARED_LIBS)
    list(APPEND CPACK_COMPONENTS_ALL runtime)
    set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME liblarchfield${PROJECT_VERSION_MAJOR})
    set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
    set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "2D game library over SDL2 and OpenGL - shared library")
    set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
    set(lf_runtime_dep "liblarchfield${PROJECT_VERSION_MAJOR} (= ${PROJECT_VERSION})")
    string(APPEND CPACK_DEBIAN_DEV_PACKAGE_DEPENDS ", ${lf_runtime_dep}")
    set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS ${lf_runtime_dep})
    # The game's own library is not installed yet while the packages are made.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/core)
endif()

include(CPack)
