# The DLLs of a Windows build that are not the system's: Qt's, in the Qt for
# Windows the build uses, and the compiler's runtime (libstdc++, libgcc,
# winpthread), where the compiler finds them. The package installs the
# runtime's; the tests under Wine find all of them in these folders.
include_guard(GLOBAL)
set(IGC_WINDOWS_DLL_DIRS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
set(IGC_WINDOWS_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(path ${path} REALPATH)
    list(APPEND IGC_WINDOWS_RUNTIME_DLLS ${path})
    get_filename_component(path ${path} DIRECTORY)
    list(APPEND IGC_WINDOWS_DLL_DIRS ${path})
endforeach()
list(REMOVE_DUPLICATES IGC_WINDOWS_DLL_DIRS)
