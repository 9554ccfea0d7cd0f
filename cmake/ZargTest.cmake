# zarg_add_test(NAME name SOURCES ... LIBS ... [LABELS ...] [SERIAL])
# One GoogleTest executable, registered with CTest test by test. SERIAL: its
# tests run alone, for programs that other tests' load makes miss their time.
function(zarg_add_test)
  cmake_parse_arguments(T "SERIAL" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  zarg_warnings(${T_NAME})
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${T_LABELS}"
                       RUN_SERIAL ${T_SERIAL})
endfunction()
