# The e2e_env fixture and kr2_add_e2e_test(), as support.cmake describes
# them. Included by support.cmake and by second_compiler.cmake.
set(KR2_E2E_STATE_DIR ${CMAKE_BINARY_DIR}/e2e-env)
set(KR2_E2E_DIR ${CMAKE_CURRENT_LIST_DIR})

find_program(KR2_SH sh REQUIRED)

add_test(NAME e2e_env_start COMMAND ${KR2_SH} ${KR2_E2E_DIR}/env.sh start ${KR2_E2E_STATE_DIR})
set_tests_properties(e2e_env_start PROPERTIES FIXTURES_SETUP e2e_env TIMEOUT 180
                     RESOURCE_LOCK wine_desktop)
add_test(NAME e2e_env_stop COMMAND ${KR2_SH} ${KR2_E2E_DIR}/env.sh stop ${KR2_E2E_STATE_DIR})
set_tests_properties(e2e_env_stop PROPERTIES FIXTURES_CLEANUP e2e_env TIMEOUT 60
                     RESOURCE_LOCK wine_desktop)

function(kr2_add_e2e_test)
  cmake_parse_arguments(PARSE_ARGV 0 E2E "" "NAME;TIMEOUT" "COMMAND")
  if(NOT E2E_NAME OR NOT E2E_COMMAND)
    message(FATAL_ERROR "kr2_add_e2e_test: NAME and COMMAND are required")
  endif()
  if(NOT E2E_TIMEOUT)
    set(E2E_TIMEOUT 120)
  endif()
  add_test(NAME ${E2E_NAME} COMMAND ${E2E_COMMAND})
  # KR2_E2E_LAUNCHER emptied: a variable left in the caller's environment
  # must not put another build under the tests (gui/launcher_run.h).
  set_tests_properties(${E2E_NAME} PROPERTIES
    ENVIRONMENT "KR2_E2E_STATE=${KR2_E2E_STATE_DIR};GTEST_COLOR=no;KR2_E2E_LAUNCHER="
    # A filter that matches no case must not pass as a green group.
    FAIL_REGULAR_EXPRESSION "Running 0 tests"
    FIXTURES_REQUIRED e2e_env
    RESOURCE_LOCK wine_desktop
    TIMEOUT ${E2E_TIMEOUT})
  string(REGEX MATCHALL "--gtest_filter=[^;]*" filter "${E2E_COMMAND}")
  string(REGEX MATCHALL "[A-Za-z0-9_]+\\.\\*" suites "${filter}")
  list(TRANSFORM suites REPLACE "\\.\\*$" "")
  set_property(GLOBAL APPEND PROPERTY KR2_E2E_SELECTED_SUITES ${suites})
endfunction()
