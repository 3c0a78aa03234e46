# Run by CPack once it has made the packages (CPACK_POST_BUILD_SCRIPTS): makes
# the ZIP again from the staged tree with Info-ZIP's zip, its files in the
# order of their names. CPack's ZIP lists them in the order the file system
# gives, which differs from one machine to another, and keeps each file's
# access and change times, which differ from one build to the next; both
# would make two builds of one source differ. zip -X writes no times but the
# one DOS time of each file, taken in UTC from SOURCE_DATE_EPOCH when it is
# set, as CPack's are, and no owner.
if(NOT CPACK_GENERATOR STREQUAL "ZIP")
  return()
endif()

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${CPACK_TOPLEVEL_DIRECTORY}"
  "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT files)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  foreach(file IN LISTS files)
    execute_process(COMMAND touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" -- "${file}"
      WORKING_DIRECTORY "${CPACK_TOPLEVEL_DIRECTORY}" COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.zip$")
    # «Velmora-0.1.0-win64/LICENSE.txt», …: the staged tree with its folder.
    file(REMOVE "${package}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -D -q "${package}" -- ${files}
      WORKING_DIRECTORY "${CPACK_TOPLEVEL_DIRECTORY}" COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
