# ZARG_SANITIZE: empty, "address,undefined" or "thread"; applies to everything built.
set(ZARG_SANITIZE "" CACHE STRING "Sanitizers to build with (address,undefined | thread)")
if(ZARG_SANITIZE)
  add_compile_options(-fsanitize=${ZARG_SANITIZE} -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=${ZARG_SANITIZE})
  if(ZARG_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()
