# The Windows packages, from the install rules:
#  - Velmora-VERSION-win64.exe, a 64-bit NSIS installer in English and
#    Vietnamese (cmake/nsis/Installer.nsh says what it does): for all users
#    into Program Files, or for the current user alone without administrator
#    rights; a Start-menu entry, optionally velmora-convert on the PATH and a
#    desktop shortcut, and an uninstaller;
#  - Velmora-VERSION-win64.zip, the same files for a computer where one may
#    install nothing.
# Both hold the two programs in bin\, and beside them the READMEs, the
# licence and the sample records. scripts/windows builds them (cpack in
# build/windows).

# Our NSIS.template.in, found before CPack's own; it includes the scripts
# beside it. CPack writes the values below as they stand, quotes included.
set(CPACK_VERBATIM_VARIABLES ON)
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/nsis)
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE copyright REGEX "^Copyright " LIMIT_COUNT 1)
set(CPACK_NSIS_DEFINES "!addincludedir \"${CMAKE_CURRENT_LIST_DIR}/nsis\"
!define VELMORA_COPYRIGHT \"${copyright}\"")
# The installer's and the ZIP's files in the order of their names.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/nsis/StagedFiles.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/ZipInNameOrder.cmake)

install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/README.vi.md DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION examples)

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Velmora: copied library records into catalogue records")
set(CPACK_PACKAGE_FILE_NAME "Velmora-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Velmora)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Velmora)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_NSIS_PACKAGE_NAME Velmora)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
if(VELMORA_ICON)
  set(CPACK_NSIS_MUI_ICON ${VELMORA_ICON})
  set(CPACK_NSIS_MUI_UNIICON ${VELMORA_ICON})
endif()

include(CPack)
