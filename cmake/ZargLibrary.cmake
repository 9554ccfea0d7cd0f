# zarg_library(name DIR dir LIBS ...): a static library of every .cpp in dir.
# Globbing keeps parallel work on one folder from colliding on the file list.
function(zarg_library name)
  cmake_parse_arguments(L "" "DIR" "LIBS;INCLUDES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${L_DIR}/*.cpp")
  # A folder without sources yet must not break the configure of the others.
  if(NOT sources)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${L_INCLUDES})
    target_link_libraries(${name} INTERFACE ${L_LIBS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${L_INCLUDES})
  target_link_libraries(${name} PUBLIC ${L_LIBS})
  zarg_warnings(${name})
endfunction()
