# Run by CPack once it has made the packages (CPACK_POST_BUILD_SCRIPTS): makes
# the ZIP again from the staged tree with its files in the order of their
# names. CPack's ZIP lists them in the order the file system gives, which
# differs from one machine to another and would make two builds of one
# source differ. The times are SOURCE_DATE_EPOCH's when it is set, as
# CPack's are.
if(NOT CPACK_GENERATOR STREQUAL "ZIP")
  return()
endif()

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${CPACK_TOPLEVEL_DIRECTORY}"
  "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT files)
set(mtime "")
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  string(TIMESTAMP date "%Y-%m-%d %H:%M:%S UTC" UTC)  # of SOURCE_DATE_EPOCH
  set(mtime "--mtime=${date}")
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.zip$")
    # «Velmora-0.1.0-win64/LICENSE.txt», …: the staged tree with its folder.
    execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${package}" --format=zip ${mtime} -- ${files}
      WORKING_DIRECTORY "${CPACK_TOPLEVEL_DIRECTORY}" COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
