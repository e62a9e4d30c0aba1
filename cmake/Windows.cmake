# What a Windows user downloads, made with `cpack` in a cross build (see
# scripts/windows.sh):
#   windcart-<version>-win64.zip          the game: windcart.exe, every DLL it
#                                         loads and its data, in one folder
#   larchfield-<version>-win64-sdk.zip    headers, the library, its CMake
#                                         package and pkg-config file, and the
#                                         dependencies' headers, import
#                                         libraries, packages and DLLs
#   windcart-<version>-win64.exe          an installer of the game (NSIS)
# The dependencies are the prefix that holds SDL2's CMake package
# (<prefix>/lib/cmake/SDL2).
cmake_path(GET SDL2_DIR PARENT_PATH LF_WINDOWS_DEPS)
cmake_path(GET LF_WINDOWS_DEPS PARENT_PATH LF_WINDOWS_DEPS)
cmake_path(GET LF_WINDOWS_DEPS PARENT_PATH LF_WINDOWS_DEPS)

# The game: the executable with its data beside it, which it finds from its
# own path wherever it is started from.
install(TARGETS windcart RUNTIME DESTINATION . COMPONENT game)
install(DIRECTORY ${PROJECT_BINARY_DIR}/src/data/ DESTINATION data COMPONENT game)
# The DLLs of the dependencies, which it loads one and all (SDL2_image loads
# libpng and libjpeg, FreeType zlib, and every one the compiler's run time).
file(GLOB LF_WINDOWS_DLLS ${LF_WINDOWS_DEPS}/bin/*.dll)
install(FILES ${LF_WINDOWS_DLLS} DESTINATION . COMPONENT game)

# The SDK: Larchfield's own files are the "dev" component (core/); the
# dependencies join them, less their programs and manuals.
install(DIRECTORY ${LF_WINDOWS_DEPS}/
    DESTINATION .
    COMPONENT dev
    PATTERN .complete EXCLUDE
    PATTERN gtest EXCLUDE
    PATTERN share/man EXCLUDE
    PATTERN share/doc EXCLUDE
    PATTERN *.exe EXCLUDE)

set(CPACK_PACKAGE_NAME windcart)
set(CPACK_PACKAGE_VENDOR "Larchfield")
set(CPACK_GENERATOR ZIP)
# Each zip holds its files at the top: Windows unpacks it into a folder of
# its name.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game dev)
set(CPACK_ARCHIVE_GAME_FILE_NAME windcart-${PROJECT_VERSION}-win64)
set(CPACK_ARCHIVE_DEV_FILE_NAME larchfield-${PROJECT_VERSION}-win64-sdk)
set(CPACK_STRIP_FILES ON)

# The installer (`cpack -G NSIS`, Debian's nsis): the game into
# Program Files\Windcart, with a Start menu entry and an uninstaller.
# A 64-bit installer, as the game is (Debian's nsis has the stubs); CPack has
# no setting for it, so it rides on the line that names the compressor.
set(CPACK_NSIS_COMPRESSOR "lzma\n  Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Windcart)
set(CPACK_NSIS_DISPLAY_NAME Windcart)
set(CPACK_NSIS_PACKAGE_NAME Windcart)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES windcart Windcart)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/WindowsPackageOptions.cmake)
include(CPack)
