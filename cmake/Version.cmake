# The one version number is project()'s, in the top-level CMakeLists.txt.
# Programs read it, and the window's desktop id, from a generated header:
# #include "velmora/Version.h".
set(VELMORA_APP_ID "org.velmora.Velmora")
configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.h.in
  ${PROJECT_BINARY_DIR}/include/velmora/Version.h @ONLY)
add_library(velmora_version INTERFACE)
target_include_directories(velmora_version INTERFACE ${PROJECT_BINARY_DIR}/include)
