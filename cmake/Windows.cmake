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
install(DIRECTORY ${WINDCART_DATA_DIR}/ DESTINATION data COMPONENT game)
# The DLLs it loads, read off the executable; what is not found among the
# dependencies is the system's own (KERNEL32.dll, OPENGL32.dll, ...).
install(CODE "
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${CMAKE_OBJDUMP}\")
    file(GET_RUNTIME_DEPENDENCIES
        EXECUTABLES \"$<TARGET_FILE:windcart>\"
        DIRECTORIES \"${LF_WINDOWS_DEPS}/bin\"
        RESOLVED_DEPENDENCIES_VAR dlls
        UNRESOLVED_DEPENDENCIES_VAR system_dlls)
    file(INSTALL \${dlls} DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")
    " COMPONENT game)

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
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game dev)
set(CPACK_ARCHIVE_GAME_FILE_NAME windcart-${PROJECT_VERSION}-win64)
set(CPACK_ARCHIVE_DEV_FILE_NAME larchfield-${PROJECT_VERSION}-win64-sdk)
set(CPACK_STRIP_FILES ON)
include(CPack)
