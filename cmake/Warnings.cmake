# Warning flags for the project's own targets (the SDK is built with -w).
option(ZARG_WERROR "Treat warnings as errors" OFF)
function(zarg_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                         -Wcast-align -Woverloaded-virtual
                         -Wnull-dereference -Wdouble-promotion -Wformat=2)
  if(ZARG_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
