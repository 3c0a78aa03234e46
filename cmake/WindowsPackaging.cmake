# The Windows packages, from the install rules (both programs into bin/):
#  - Velmora-VERSION-win64.exe, a 64-bit NSIS installer: Program Files, a
#    Start-menu shortcut to the window, velmora-convert optionally on PATH
#    (a page of the installer; not with /S), an uninstaller;
#  - Velmora-VERSION-win64.zip, the two programs for users without install
#    rights.
# scripts/windows builds them (cpack in build/windows).
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/nsis)  # the 64-bit NSIS.template.in

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Velmora: copied library records into catalogue records")
set(CPACK_PACKAGE_FILE_NAME "Velmora-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Velmora)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Velmora)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

# The Start-menu shortcut: bin\velmora.exe as "Velmora".
set(CPACK_PACKAGE_EXECUTABLES velmora Velmora)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME Velmora)
set(CPACK_NSIS_PACKAGE_NAME Velmora)
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\velmora.exe")
set(CPACK_NSIS_MODIFY_PATH ON)  # adds bin\, where velmora-convert.exe is, when chosen
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
if(VELMORA_ICON)
  set(CPACK_NSIS_MUI_ICON ${VELMORA_ICON})
  set(CPACK_NSIS_MUI_UNIICON ${VELMORA_ICON})
endif()

include(CPack)
