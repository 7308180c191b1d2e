# End-to-end test support, shared by every e2e test program.
#
# Contract (other test units build on it; keep it stable):
#   Fixture   e2e_env_start (FIXTURES_SETUP e2e_env) runs "env.sh start" on the
#             state directory ${CMAKE_BINARY_DIR}/e2e-env: the world of
#             scripts/wine-world.sh, a fresh Wine prefix with Wine's own fonts
#             and a 1024x768 virtual desktop, its own Xvfb display and a
#             PulseAudio null sink; it fails when the fonts are missing. e2e_env_stop (FIXTURES_CLEANUP e2e_env)
#             ends them again. wine-env (the toolchain's emulator) reads
#             ${KR2_E2E_STATE}/env before it runs wine.
#             A second world of the same kind, e2e_env_second_start/stop on
#             ${CMAKE_BINARY_DIR}/e2e-env-second (fixture e2e_env_second),
#             lets a long group run beside the others under ctest -j2.
#   kr2_add_e2e_test(NAME <name> COMMAND <target> [args...] [TIMEOUT <s>]
#                    [SECOND_WORLD])
#             adds a test run under Wine in that environment (or the second),
#             one e2e test at a time in each world (RESOURCE_LOCK
#             wine_desktop, wine_desktop_second); default timeout 120 s.
#             The test programs are GoogleTest programs: a group selects its
#             cases with --gtest_filter=Suite.*; one that selects none fails,
#             and kr2_e2e_check_suites() fails the configure when a suite
#             in the sources is in no group or a group's suite is in none,
#             or when one source file is compiled into two e2e targets
#             (what two programs share goes in a library they link).
#   kr2_stub  a windowless program that appends one record of how it was
#             started (module path, command line, STARTUPINFO dwFlags and
#             wShowWindow, current directory, pid) to the file named by the
#             inherited variable KR2_STUB_LOG, then exits 0. Record format:
#             support/stub_record.h.
#   kr2_stub_dll  the same record, written by a DLL when it is loaded (its
#             module path in the record), for DLLs planted where the
#             launcher must not load them from.
#   kr2_e2e_support  static library for test programs (link it; it brings
#             the include path and GoogleTest with its main): files.h
#             (TempRoot, PlaceStub, StubExe, RemoveTree, ...), stub_log.h
#             (StubLog), wave_file.h (WriteWav, WriteBytes), child_process.h
#             (ChildProcess, NowMs), utf8.h (ToUtf8, Describe: wide text as
#             UTF-8 in brackets for failure messages).
#   kr2_e2e_driver (driver/driver.cmake)  static library that drives the
#             real kr2_s1.exe, linked by every group that runs it.
#   kr2_e2e_embed_path(<target> <MACRO> <other target>)
#             defines MACRO in <target> as the wide string literal of
#             <other target>'s file as Windows sees it ("Z:/.../x.exe").

set(KR2_E2E_STATE_DIR ${CMAKE_BINARY_DIR}/e2e-env)
set(KR2_E2E_SECOND_STATE_DIR ${CMAKE_BINARY_DIR}/e2e-env-second)
set(KR2_E2E_DIR ${CMAKE_CURRENT_LIST_DIR})

find_program(KR2_SH sh REQUIRED)

# Each world: its fixture, its state directory and its lock.
foreach(world IN ITEMS "e2e_env|${KR2_E2E_STATE_DIR}|wine_desktop"
                       "e2e_env_second|${KR2_E2E_SECOND_STATE_DIR}|wine_desktop_second")
  string(REPLACE "|" ";" world "${world}")
  list(GET world 0 fixture)
  list(GET world 1 state)
  list(GET world 2 lock)
  add_test(NAME ${fixture}_start COMMAND ${KR2_SH} ${KR2_E2E_DIR}/env.sh start ${state})
  set_tests_properties(${fixture}_start PROPERTIES FIXTURES_SETUP ${fixture} TIMEOUT 180
                       RESOURCE_LOCK ${lock})
  add_test(NAME ${fixture}_stop COMMAND ${KR2_SH} ${KR2_E2E_DIR}/env.sh stop ${state})
  set_tests_properties(${fixture}_stop PROPERTIES FIXTURES_CLEANUP ${fixture} TIMEOUT 60
                       RESOURCE_LOCK ${lock})
endforeach()

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
  add_test(NAME ${E2E_NAME} COMMAND ${E2E_COMMAND})
  set_tests_properties(${E2E_NAME} PROPERTIES
    # KR2_E2E_LAUNCHER emptied: a variable left in the caller's environment
    # must not put another build under the tests (driver/launcher_run.h).
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

# Every TEST suite in the test programs' sources runs in some group, and
# every suite a group selects exists: a renamed suite or file fails the
# configure instead of dropping its cases. Called once all groups are added.
function(kr2_e2e_check_suites)
  get_property(selected GLOBAL PROPERTY KR2_E2E_SELECTED_SUITES)
  get_property(programs GLOBAL PROPERTY KR2_E2E_PROGRAMS)
  set(defined "")
  foreach(program IN LISTS programs)
    get_target_property(sources ${program} SOURCES)
    foreach(source IN LISTS sources)
      file(STRINGS ${source} lines REGEX "^TEST(_F)?\\([A-Za-z0-9_]+,")
      list(TRANSFORM lines REPLACE "^TEST(_F)?\\(([A-Za-z0-9_]+),.*" "\\2")
      list(APPEND defined ${lines})
    endforeach()
  endforeach()
  foreach(suite IN LISTS defined)
    if(NOT suite IN_LIST selected)
      message(FATAL_ERROR "e2e test suite ${suite} runs in no ctest group: "
                          "add kr2_add_e2e_test(... --gtest_filter=${suite}.*)")
    endif()
  endforeach()
  foreach(suite IN LISTS selected)
    if(NOT suite IN_LIST defined)
      message(FATAL_ERROR "a ctest group selects the e2e test suite ${suite}, which no test program has")
    endif()
  endforeach()

  # Each source file in one e2e target only: its definitions (and its
  # tests) exist once.
  get_property(targets DIRECTORY ${KR2_E2E_DIR} PROPERTY BUILDSYSTEM_TARGETS)
  set(seen "")
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "UTILITY" OR type STREQUAL "INTERFACE_LIBRARY")
      continue()
    endif()
    get_target_property(sources ${target} SOURCES)
    get_target_property(dir ${target} SOURCE_DIR)
    foreach(source IN LISTS sources)
      if(NOT source MATCHES "\\.(c|cc|cpp)$")
        continue()
      endif()
      get_filename_component(source ${source} ABSOLUTE BASE_DIR ${dir})
      string(MAKE_C_IDENTIFIER "${source}" key)
      if(DEFINED kr2_e2e_source_${key})
        message(FATAL_ERROR "${source} is compiled into both ${kr2_e2e_source_${key}} and ${target}: "
                            "put it in a library both link (driver/driver.cmake)")
      endif()
      set(kr2_e2e_source_${key} ${target})
    endforeach()
  endforeach()
endfunction()

function(kr2_e2e_embed_path target macro other)
  target_compile_definitions(${target} PRIVATE "${macro}=L\"Z:$<TARGET_FILE:${other}>\"")
  add_dependencies(${target} ${other})
endfunction()

# GoogleTest built from source with the cross compiler, linked statically
# into the test programs like everything else.
set(KR2_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest source tree to build for the e2e test programs")
if(NOT EXISTS ${KR2_GOOGLETEST_SOURCE_DIR}/googletest/CMakeLists.txt)
  message(FATAL_ERROR "The e2e tests need the GoogleTest source, not found at "
                      "KR2_GOOGLETEST_SOURCE_DIR=${KR2_GOOGLETEST_SOURCE_DIR} "
                      "(Debian: apt-get install googletest, or scripts/deps.sh)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${KR2_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Test programs are self-contained like the launcher: no MinGW runtime DLLs
# to find inside the prefix.
function(kr2_e2e_executable target)
  set_property(GLOBAL APPEND PROPERTY KR2_E2E_PROGRAMS ${target})
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  target_compile_definitions(${target} PRIVATE UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
endfunction()

# One GoogleTest program that drives the real launcher through the driver
# library (driver/driver.cmake), from sources in the calling folder:
#   kr2_add_e2e_program(NAME kr2_gui_e2e SOURCES layout_test.cpp ... [LIBS advapi32])
function(kr2_add_e2e_program)
  cmake_parse_arguments(P "" "NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT TARGET kr2_e2e_driver)
    message(FATAL_ERROR "${P_NAME}: the target kr2_e2e_driver must exist (driver/driver.cmake)")
  endif()
  list(TRANSFORM P_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
  add_executable(${P_NAME} ${P_SOURCES})
  target_link_libraries(${P_NAME} PRIVATE kr2_e2e_driver gtest_main ${P_LIBS})
  kr2_e2e_executable(${P_NAME})
endfunction()

# The record format, shared by the stub (writer) and the tests (reader).
add_library(kr2_e2e_record STATIC
  ${KR2_E2E_DIR}/support/stub_record.cpp
  ${KR2_E2E_DIR}/support/utf8.cpp
)
target_include_directories(kr2_e2e_record PUBLIC ${KR2_E2E_DIR}/support)
target_compile_definitions(kr2_e2e_record PUBLIC UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)

add_library(kr2_stub_writer STATIC ${KR2_E2E_DIR}/stub/stub_writer.cpp)
target_link_libraries(kr2_stub_writer PUBLIC kr2_e2e_record)
add_executable(kr2_stub WIN32 ${KR2_E2E_DIR}/stub/stub_main.cpp)
target_link_libraries(kr2_stub PRIVATE kr2_stub_writer)
kr2_e2e_executable(kr2_stub)
# The stand-in for a planted system DLL (stub/stub_dll.cpp).
add_library(kr2_stub_dll SHARED ${KR2_E2E_DIR}/stub/stub_dll.cpp)
set_target_properties(kr2_stub_dll PROPERTIES PREFIX "")
target_link_libraries(kr2_stub_dll PRIVATE kr2_stub_writer)
target_link_options(kr2_stub_dll PRIVATE -static -static-libgcc -static-libstdc++)

add_library(kr2_e2e_support STATIC
  ${KR2_E2E_DIR}/support/files.cpp
  ${KR2_E2E_DIR}/support/stub_log.cpp
  ${KR2_E2E_DIR}/support/wave_file.cpp
  ${KR2_E2E_DIR}/support/child_process.cpp
)
target_include_directories(kr2_e2e_support PUBLIC ${KR2_E2E_DIR}/support ${PROJECT_SOURCE_DIR}/platform/win32)
target_link_libraries(kr2_e2e_support PUBLIC kr2_e2e_record gtest)
kr2_e2e_embed_path(kr2_e2e_support KR2_E2E_STUB_EXE kr2_stub)
