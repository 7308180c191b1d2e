# The two Wine worlds' fixtures and kr2_add_e2e_test(), as support.cmake
# describes them. Included by support.cmake.
set(KR2_E2E_STATE_DIR ${CMAKE_BINARY_DIR}/e2e-env)
set(KR2_E2E_SECOND_STATE_DIR ${CMAKE_BINARY_DIR}/e2e-env-second)
set(KR2_E2E_DIR ${CMAKE_CURRENT_LIST_DIR})

find_program(KR2_SH sh REQUIRED)

# A world's start and stop, added with the first group that runs in it.
function(kr2_e2e_world fixture state lock)
  get_property(started GLOBAL PROPERTY KR2_E2E_WORLD_${fixture})
  if(started)
    return()
  endif()
  set_property(GLOBAL PROPERTY KR2_E2E_WORLD_${fixture} TRUE)
  add_test(NAME ${fixture}_start COMMAND ${KR2_SH} ${KR2_E2E_DIR}/env.sh start ${state})
  set_tests_properties(${fixture}_start PROPERTIES FIXTURES_SETUP ${fixture} TIMEOUT 180
                       RESOURCE_LOCK ${lock})
  add_test(NAME ${fixture}_stop COMMAND ${KR2_SH} ${KR2_E2E_DIR}/env.sh stop ${state})
  set_tests_properties(${fixture}_stop PROPERTIES FIXTURES_CLEANUP ${fixture} TIMEOUT 60
                       RESOURCE_LOCK ${lock})
endfunction()

function(kr2_add_e2e_test)
  cmake_parse_arguments(PARSE_ARGV 0 E2E "SECOND_WORLD" "NAME;TIMEOUT" "COMMAND")
  if(NOT E2E_NAME OR NOT E2E_COMMAND)
    message(FATAL_ERROR "kr2_add_e2e_test: NAME and COMMAND are required")
  endif()
  if(NOT E2E_TIMEOUT)
    set(E2E_TIMEOUT 120)
  endif()
  if(E2E_SECOND_WORLD)
    set(fixture e2e_env_second)
    set(state ${KR2_E2E_SECOND_STATE_DIR})
    set(lock wine_desktop_second)
  else()
    set(fixture e2e_env)
    set(state ${KR2_E2E_STATE_DIR})
    set(lock wine_desktop)
  endif()
  kr2_e2e_world(${fixture} ${state} ${lock})
  add_test(NAME ${E2E_NAME} COMMAND ${E2E_COMMAND})
  set_tests_properties(${E2E_NAME} PROPERTIES
    # KR2_E2E_LAUNCHER emptied: a variable left in the caller's environment
    # must not put another build under the tests (gui/launcher_run.h).
    ENVIRONMENT "KR2_E2E_STATE=${state};GTEST_COLOR=no;KR2_E2E_LAUNCHER="
    # A filter that matches no case must not pass as a green group.
    FAIL_REGULAR_EXPRESSION "Running 0 tests"
    FIXTURES_REQUIRED ${fixture}
    RESOURCE_LOCK ${lock}
    TIMEOUT ${E2E_TIMEOUT})
  string(REGEX MATCHALL "--gtest_filter=[^;]*" filter "${E2E_COMMAND}")
  string(REGEX MATCHALL "[A-Za-z0-9_]+\\.\\*" suites "${filter}")
  list(TRANSFORM suites REPLACE "\\.\\*$" "")
  set_property(GLOBAL APPEND PROPERTY KR2_E2E_SELECTED_SUITES ${suites})
endfunction()
