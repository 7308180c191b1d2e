# The launch core with the real Win32 ports, run under Wine against stub
# programs where the catalogue's lines point.
set(KR2_LAUNCH_E2E_DIR ${CMAKE_CURRENT_LIST_DIR})

add_executable(kr2_e2e_launch
  ${KR2_LAUNCH_E2E_DIR}/launch_main.cpp
  ${KR2_LAUNCH_E2E_DIR}/launch_world.cpp
  ${KR2_LAUNCH_E2E_DIR}/catalogue_lines_test.cpp
  ${KR2_LAUNCH_E2E_DIR}/error_paths_test.cpp
  ${KR2_LAUNCH_E2E_DIR}/sound_test.cpp
  ${KR2_LAUNCH_E2E_DIR}/ports_test.cpp
)
# A directory of its own: the game stubs are put beside the program, where
# the program search looks first.
set_target_properties(kr2_e2e_launch PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/e2e-launch)
target_link_libraries(kr2_e2e_launch PRIVATE kr2_core kr2_platform kr2_e2e_support kr2_test_design shell32)
kr2_e2e_executable(kr2_e2e_launch)

kr2_add_e2e_test(NAME e2e_launch_catalogue COMMAND kr2_e2e_launch --gtest_filter=LaunchCatalogue.* TIMEOUT 180)
kr2_add_e2e_test(NAME e2e_launch_errors COMMAND kr2_e2e_launch --gtest_filter=LaunchErrors.*)
kr2_add_e2e_test(NAME e2e_launch_sound COMMAND kr2_e2e_launch --gtest_filter=LaunchSound.*)
kr2_add_e2e_test(NAME e2e_launch_ports COMMAND kr2_e2e_launch --gtest_filter=LaunchPorts.*)
