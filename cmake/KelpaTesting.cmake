# kelpa_add_test(<name> SOURCES <files...> [LIBS <targets...>] [TIMEOUT <s>])
# Builds one GoogleTest executable into build/<preset>/tests and, where the
# target can run here, registers it with CTest as a single test: starting a
# Windows process under Wine costs far more than running all its cases.
# Tests run from the folder that holds the program and the stand-in runtime.
function(kelpa_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KELPA_TEST_DIR})
  target_link_libraries(${name} PRIVATE ${T_LIBS} test_support GTest::gtest GTest::gtest_main)
  if(KELPA_REGISTER_TESTS)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 WORKING_DIRECTORY ${KELPA_BIN_DIR})
    if(NOT T_TIMEOUT)
      set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  endif()
endfunction()
