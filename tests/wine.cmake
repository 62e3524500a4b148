# Cross-built for Windows, the tests run under Wine: ctest starts every test
# program through wine-run in the build folder, and the paths the programs
# get at compile time name the Linux file system as Wine shows it, drive Z:.
find_program(IGC_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(IGC_WINE NAMES wine64 wine REQUIRED)
get_filename_component(igc_wine_dir ${IGC_WINE} DIRECTORY)
find_program(IGC_WINESERVER NAMES wineserver64 wineserver HINTS ${igc_wine_dir} REQUIRED)

set(IGC_TEST_DRIVE Z:)
set(IGC_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
include(${PROJECT_SOURCE_DIR}/dist/windows-dlls.cmake)
set(IGC_WINE_PATH)
foreach(dir ${IGC_WINDOWS_DLL_DIRS})
    string(REPLACE / \\ dir "Z:${dir}")
    list(APPEND IGC_WINE_PATH ${dir})
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/support/wine/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
