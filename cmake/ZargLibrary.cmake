# zarg_library(name SOURCES ... [INCLUDES ...] [LIBS ...]): a static library of the
# listed sources, relative to the calling folder. The target's SOURCES hold them as
# absolute paths, so other targets (the state fuzzer) can compile the same files.
function(zarg_library name)
  cmake_parse_arguments(L "" "" "SOURCES;LIBS;INCLUDES" ${ARGN})
  list(TRANSFORM L_SOURCES PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/")
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC ${L_INCLUDES})
  target_link_libraries(${name} PUBLIC ${L_LIBS})
  zarg_warnings(${name})
endfunction()
