# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (its POSIX thread
# model, which std::thread needs). Libraries and packages are looked for in
# the toolchain's own tree and in every prefix of CMAKE_PREFIX_PATH (the
# dependencies that scripts/windows.sh builds, an unpacked SDK), never on the
# host. Programs built here run through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LF_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LF_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LF_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${LF_MINGW}-windres)

# try_compile reads this file again in a project of its own.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CMAKE_PREFIX_PATH)
set(CMAKE_FIND_ROOT_PATH /usr/${LF_MINGW} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads the same prefixes' files and none of the host's.
set(pc_dirs "")
foreach(root IN LISTS CMAKE_FIND_ROOT_PATH)
    list(APPEND pc_dirs ${root}/lib/pkgconfig ${root}/share/pkgconfig)
endforeach()
string(REPLACE ";" ":" pc_dirs "${pc_dirs}")
set(ENV{PKG_CONFIG_LIBDIR} "${pc_dirs}")
set(ENV{PKG_CONFIG_PATH} "")

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
