# Run by CPack once it has staged the install tree (CPACK_PRE_BUILD_SCRIPTS):
# for the NSIS installer, writes StagedFiles.nsh beside the staged tree, the
# macros that install each staged file and remove it again, in the order of
# their names. CPack's own lists (File /r, and the Delete lines) follow the
# order the file system gives, which differs from one machine to another and
# would make two builds of one source differ.
#
#   !macro VELMORA_INSTALL_FILES               !macro VELMORA_REMOVE_FILES
#     SetOutPath "$INSTDIR\bin"                  Delete "$INSTDIR\bin\velmora.exe"
#     File "/…/staged/bin/velmora.exe"           RMDir "$INSTDIR\bin"
if(NOT CPACK_GENERATOR STREQUAL "NSIS")
  return()
endif()

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${CPACK_TEMPORARY_DIRECTORY}"
  "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT files)
set(install "!macro VELMORA_INSTALL_FILES\n")
set(remove "!macro VELMORA_REMOVE_FILES\n")
set(folders "")
set(folder_now "-")
foreach(file IN LISTS files)
  get_filename_component(folder "${file}" DIRECTORY)
  string(REPLACE "/" "\\" windows_file "${file}")
  string(REPLACE "/" "\\" windows_folder "${folder}")
  if(NOT folder STREQUAL folder_now)
    if(folder STREQUAL "")
      string(APPEND install "  SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND install "  SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
    endif()
    set(folder_now "${folder}")
  endif()
  string(APPEND install "  File \"${CPACK_TEMPORARY_DIRECTORY}/${file}\"\n")
  string(APPEND remove "  Delete \"$INSTDIR\\${windows_file}\"\n")
  # Each folder and the folders it is in, to be removed once empty.
  while(NOT folder STREQUAL "")
    list(APPEND folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES folders)
# The deepest first: a folder's subfolders sort after it.
list(SORT folders)
list(REVERSE folders)
foreach(folder IN LISTS folders)
  string(REPLACE "/" "\\" windows_folder "${folder}")
  string(APPEND remove "  RMDir \"$INSTDIR\\${windows_folder}\"\n")
endforeach()
string(APPEND install "  SetOutPath \"$INSTDIR\"\n!macroend\n")
string(APPEND remove "!macroend\n")
file(WRITE "${CPACK_TOPLEVEL_DIRECTORY}/StagedFiles.nsh" "${install}${remove}")
