# The Windows package: one folder holding both programs, the Qt and mingw
# runtime DLLs they load, the Qt plugins the window needs, both manuals and
# the licence texts; `cpack` in the build folder makes the per-user
# installer igcedit-<version>-win64.exe (NSIS) and a .zip of the same tree.
# Included by dist/CMakeLists.txt for a Windows build instead of the Linux
# layout.

# The manuals lie beside the programs: on Windows the program's own folder is
# one of Qt's application-data folders, where the help viewer looks after
# the current folder.
install(TARGETS igcedit igctool RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/help/Help.rtf ${PROJECT_SOURCE_DIR}/help/Help_eng.rtf DESTINATION .)

# The DLLs the programs load: the Qt modules they link and the compiler's
# runtime. (CMake's own dependency reader cannot match Windows' names to
# these files on Linux, where case matters.) check-package runs both
# installed programs with nothing else on the search path.
foreach(module Core Gui Widgets Charts SerialPort)
    install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION .)
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/windows-dlls.cmake)
install(FILES ${IGC_WINDOWS_RUNTIME_DLLS} DESTINATION .)

# The window's plugins: the Windows platform and the Windows style.
set(igc_qt_plugins ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
install(FILES ${igc_qt_plugins}/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${igc_qt_plugins}/styles/qwindowsvistastyle.dll DESTINATION styles)

# The licences: the program's (GPL-3.0-or-later), Qt's (LGPL-3; Qt Charts
# GPL-3, the same text as the program's), and the GCC runtime library
# exception and the winpthreads licence for the mingw DLLs.
set(igc_licences ${CMAKE_CURRENT_SOURCE_DIR}/windows)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION licenses RENAME GPL-3.txt)
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION licenses RENAME LGPL-3.txt)
install(FILES ${igc_licences}/README.txt ${igc_licences}/GCC-RUNTIME-EXCEPTION.txt ${igc_licences}/winpthreads.txt
        DESTINATION licenses)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME igcedit)
set(CPACK_PACKAGE_VENDOR igcedit)
set(CPACK_PACKAGE_FILE_NAME igcedit-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY igcedit)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY igcedit)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# Our own NSIS script (windows/NSIS.template.in): installed for the user
# alone, without administrator rights, shortcuts that start the program in
# Documents\igcedit, and an uninstaller that removes exactly what it put.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR}/windows)
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")
set(CPACK_NSIS_DISPLAY_NAME "Ignition Curve Editor")
set(CPACK_NSIS_PACKAGE_NAME "Ignition Curve Editor ${PROJECT_VERSION}")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_MUI_ICON ${CMAKE_CURRENT_SOURCE_DIR}/icons/igcedit.ico)
set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
include(CPack)
