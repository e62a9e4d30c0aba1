# Read by cpack for each generator of the Windows build: the installer
# (NSIS) installs the game alone; the zips are one per component.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_COMPONENTS_ALL game)
endif()
