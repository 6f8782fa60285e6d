# kelpa_add_test(<name> LABEL <unit|process|e2e> SOURCES <files...> [LIBS <targets...>]
#                [DEPENDS <targets...>] [TIMEOUT <s>] [FILTER <gtest filter>])
# Builds one GoogleTest executable into build/<preset>/tests and registers it with CTest as a
# single test: starting a Windows process under Wine costs far more than running all its cases.
# Tests run from the folder that holds the program and the stand-in runtime; DEPENDS names what
# they need there. The label says what a test costs:
#   unit     this process only (its own windows and threads, the runtime loaded into it);
#            scripts/test --quick runs these, several at a time
#   process  starts the real program, another process or the page engine
#   e2e      a whole-system scenario, driven from outside as a person would; one at a time
# FILTER registers only the cases it chooses; kelpa_add_test_part registers the others of the
# same executable under a label of their own.
set(KELPA_TEST_LABELS unit process e2e)

function(kelpa_register_test name executable label timeout filter)
  if(NOT label IN_LIST KELPA_TEST_LABELS)
    message(FATAL_ERROR "${name}: give LABEL unit, process or e2e (see cmake/KelpaTesting.cmake)")
  endif()
  set(arguments --gtest_brief=1)
  if(filter)
    list(APPEND arguments --gtest_filter=${filter})
  endif()
  add_test(NAME ${name} COMMAND ${executable} ${arguments} WORKING_DIRECTORY ${KELPA_BIN_DIR})
  if(NOT timeout)
    set(timeout 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout} LABELS ${label})
endfunction()

function(kelpa_add_test name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT;FILTER" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KELPA_TEST_DIR})
  target_link_libraries(${name} PRIVATE ${T_LIBS} test_support GTest::gtest GTest::gtest_main)
  if(T_DEPENDS)
    add_dependencies(${name} ${T_DEPENDS})
  endif()
  kelpa_register_test(${name} ${name} "${T_LABEL}" "${T_TIMEOUT}" "${T_FILTER}")
endfunction()

# kelpa_add_test_part(<name> <executable> LABEL <label> FILTER <gtest filter> [TIMEOUT <s>])
function(kelpa_add_test_part name executable)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT;FILTER" "" ${ARGN})
  kelpa_register_test(${name} ${executable} "${T_LABEL}" "${T_TIMEOUT}" "${T_FILTER}")
endfunction()
