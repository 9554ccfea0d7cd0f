# zarg_library(name DIR dir LIBS ...): a static library of every .cpp in dir.
# Globbing keeps parallel work on one folder from colliding on the file list.
function(zarg_library name)
  cmake_parse_arguments(L "" "DIR" "LIBS;INCLUDES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${L_DIR}/*.cpp")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${L_INCLUDES})
  target_link_libraries(${name} PUBLIC ${L_LIBS})
  zarg_warnings(${name})
endfunction()
