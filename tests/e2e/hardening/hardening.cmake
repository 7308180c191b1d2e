# Fault and bad-input cases of the real kr2_s1.exe under Wine: broken cue
# files, odd program directories, broken launch targets, queued clicks, the
# platform's failures. Driven through the driver library (driver/driver.cmake).
set(KR2_HARDENING_DIR ${CMAKE_CURRENT_LIST_DIR})
kr2_add_e2e_program(NAME kr2_hardening_e2e
  SOURCES odd_waves.cpp bad_cue_files_test.cpp program_dir_test.cpp launch_targets_test.cpp queued_clicks_test.cpp
          fault_session.cpp faults_test.cpp)
kr2_e2e_embed_path(kr2_hardening_e2e KR2_STUB_DLL kr2_stub_dll)

kr2_add_e2e_test(NAME hardening_cue_files COMMAND kr2_hardening_e2e --gtest_filter=HardeningCueFiles.* TIMEOUT 120)
# The drive letter X: is mapped onto the case's game directory from outside
# Wine before the test runs, and taken away after.
kr2_add_e2e_test(NAME hardening_drive_root COMMAND ${KR2_SH} ${KR2_HARDENING_DIR}/with_drive_x.sh
  ${KR2_E2E_DIR}/wine-env $<TARGET_FILE:kr2_hardening_e2e> --gtest_filter=HardeningDriveRoot.* TIMEOUT 60)
kr2_add_e2e_test(NAME hardening_program_dir COMMAND kr2_hardening_e2e --gtest_filter=HardeningProgramDir.* TIMEOUT 150)
kr2_add_e2e_test(NAME hardening_launch_targets COMMAND kr2_hardening_e2e --gtest_filter=HardeningLaunchTargets.*
  TIMEOUT 180)
kr2_add_e2e_test(NAME hardening_queued_clicks COMMAND kr2_hardening_e2e --gtest_filter=HardeningQueuedClicks.* TIMEOUT 120)
# The platform's failures put into the launcher (fault_rows.h); scripts/faults
# runs the whole sweep.
kr2_add_e2e_test(NAME hardening_faults COMMAND kr2_hardening_e2e --gtest_filter=HardeningFaults.* TIMEOUT 600
                 SECOND_WORLD)
