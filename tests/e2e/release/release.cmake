# The signed release: sign_test.sh packs and signs the build's kr2_s1.exe
# with scripts/package and a throwaway certificate, and checks the zip, the
# signature and its removal; the GuiSigned case then starts the signed
# kr2_s1.exe it leaves behind under Wine. Needs openssl, osslsigncode and
# strace (scripts/deps.sh).
if(NOT TARGET kr2_s1 OR NOT TARGET kr2_gui_e2e)
  message(FATAL_ERROR "release tests: the targets kr2_s1 and kr2_gui_e2e must exist "
                      "(platform/win32/gui.cmake, tests/e2e/gui/gui.cmake)")
endif()

set(KR2_RELEASE_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
set(KR2_SIGNED_RELEASE_DIR ${CMAKE_BINARY_DIR}/signed-release)

find_program(KR2_BASH bash REQUIRED)
add_test(NAME release_sign
  COMMAND ${KR2_BASH} ${KR2_RELEASE_TEST_DIR}/sign_test.sh ${PROJECT_SOURCE_DIR} $<TARGET_FILE:kr2_s1>
          ${KR2_SIGNED_RELEASE_DIR})
set_tests_properties(release_sign PROPERTIES FIXTURES_SETUP signed_release TIMEOUT 120)
# The same with Debian 12's own osslsigncode 2.5, unpacked into the build
# tree: a plain Debian 12 signs the release too.
add_test(NAME release_sign_osslsigncode_2_5
  COMMAND ${KR2_BASH} ${KR2_RELEASE_TEST_DIR}/with_osslsigncode_2_5.sh ${CMAKE_BINARY_DIR}/osslsigncode-2.5
          ${KR2_BASH} ${KR2_RELEASE_TEST_DIR}/sign_test.sh ${PROJECT_SOURCE_DIR} $<TARGET_FILE:kr2_s1>
          ${CMAKE_BINARY_DIR}/signed-release-2.5)
set_tests_properties(release_sign_osslsigncode_2_5 PROPERTIES TIMEOUT 180)
# A clone at the commit the release's BUILDINFO names, released again, gives
# the same exe and zip (skipped in a tree with uncommitted changes). A build
# of its own: nothing else runs meanwhile.
add_test(NAME release_rebuilt_from_buildinfo
  COMMAND ${KR2_BASH} ${KR2_RELEASE_TEST_DIR}/rebuild_test.sh ${PROJECT_SOURCE_DIR} $<TARGET_FILE:kr2_s1>)
set_tests_properties(release_rebuilt_from_buildinfo PROPERTIES SKIP_RETURN_CODE 77 RUN_SERIAL TRUE TIMEOUT 600
                     FIXTURES_SETUP rebuilt_from_clone)
# Every script answers --help and refuses an option it does not take, both
# before it installs or builds anything.
add_test(NAME scripts_interface
  COMMAND ${KR2_BASH} ${KR2_RELEASE_TEST_DIR}/scripts_test.sh ${PROJECT_SOURCE_DIR})

target_sources(kr2_gui_e2e PRIVATE ${KR2_RELEASE_TEST_DIR}/signed_test.cpp)
kr2_add_e2e_test(NAME gui_signed COMMAND kr2_gui_e2e --gtest_filter=GuiSigned.* TIMEOUT 60)
set_property(TEST gui_signed APPEND PROPERTY FIXTURES_REQUIRED signed_release)
set_property(TEST gui_signed APPEND PROPERTY ENVIRONMENT "KR2_SIGNED_EXE=Z:${KR2_SIGNED_RELEASE_DIR}/kr2_s1.exe")
