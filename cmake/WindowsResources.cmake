# What Windows shows of each program: the version resource (the version of
# project() in the top-level CMakeLists.txt), the application icon and, for
# the window, its manifest.
#
#   velmora_windows_resources(TARGET "Description" [MANIFEST file])

# The icon, made at build time from the application icon's PNG sizes with
# icoutils' icotool. Without those PNGs or icotool the programs have no icon.
set(velmora_icon_sources "")
foreach(size 16 24 32 48 64 128 256)
  set(png ${PROJECT_SOURCE_DIR}/data/icons/hicolor/${size}x${size}/apps/velmora.png)
  if(EXISTS ${png})
    list(APPEND velmora_icon_sources ${png})
  endif()
endforeach()
find_program(VELMORA_ICOTOOL icotool)
set(VELMORA_ICON "")
if(velmora_icon_sources AND VELMORA_ICOTOOL)
  set(VELMORA_ICON ${PROJECT_BINARY_DIR}/velmora.ico)
  # The 256-pixel size stays PNG inside the .ico, as Windows expects.
  set(icon_arguments "")
  foreach(png IN LISTS velmora_icon_sources)
    if(png MATCHES "/256x256/")
      list(APPEND icon_arguments --raw=${png})
    else()
      list(APPEND icon_arguments ${png})
    endif()
  endforeach()
  add_custom_command(OUTPUT ${VELMORA_ICON}
    COMMAND ${VELMORA_ICOTOOL} -c -o ${VELMORA_ICON} ${icon_arguments}
    DEPENDS ${velmora_icon_sources}
    COMMENT "Making velmora.ico")
  add_custom_target(velmora_icon DEPENDS ${VELMORA_ICON})
else()
  message(STATUS "No application icon: data/icons PNGs or icotool (icoutils) missing")
endif()

function(velmora_windows_resources target description)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "MANIFEST" "")
  set(VELMORA_RC_DESCRIPTION "${description}")
  set(VELMORA_RC_NAME "${target}")
  set(VELMORA_RC_ICON "")
  if(VELMORA_ICON)
    set(VELMORA_RC_ICON "1 ICON \"${VELMORA_ICON}\"")
  endif()
  set(VELMORA_RC_MANIFEST "")
  if(arg_MANIFEST)
    set(VELMORA_RC_MANIFEST "1 24 \"${arg_MANIFEST}\"")  # RT_MANIFEST for the process
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/WindowsResources.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set(depends ${arg_MANIFEST})
  if(VELMORA_ICON)
    list(APPEND depends ${VELMORA_ICON})
    add_dependencies(${target} velmora_icon)
  endif()
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${depends}")
endfunction()
