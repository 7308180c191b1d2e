# End-to-end GUI tests: the driver (driver/driver.cmake) drives the real
# kr2_s1.exe under Wine through its windows (found by process id and caption)
# and real key input.
if(NOT TARGET kr2_e2e_driver)
  message(FATAL_ERROR "GUI e2e tests: the target kr2_e2e_driver must exist (driver/driver.cmake)")
endif()

set(KR2_GUI_DIR ${CMAKE_CURRENT_LIST_DIR})

add_executable(kr2_gui_e2e
  ${KR2_GUI_DIR}/layout_test.cpp
  ${KR2_GUI_DIR}/keyboard_test.cpp
  ${KR2_GUI_DIR}/catalogue_test.cpp
  ${KR2_GUI_DIR}/lifetime_test.cpp
  ${KR2_GUI_DIR}/cue_timing_test.cpp
)
target_link_libraries(kr2_gui_e2e PRIVATE kr2_e2e_driver gtest_main)
kr2_e2e_executable(kr2_gui_e2e)

# One launcher run per group where the checks allow it; the catalogue needs
# one run per entry, since almost every entry ends the launcher.
kr2_add_e2e_test(NAME gui_layout COMMAND kr2_gui_e2e --gtest_filter=GuiLayout.* TIMEOUT 120)
kr2_add_e2e_test(NAME gui_keyboard COMMAND kr2_gui_e2e --gtest_filter=GuiKeyboard.* TIMEOUT 120)
kr2_add_e2e_test(NAME gui_catalogue COMMAND kr2_gui_e2e --gtest_filter=GuiCatalogue.* TIMEOUT 300)
kr2_add_e2e_test(NAME gui_lifetime COMMAND kr2_gui_e2e --gtest_filter=GuiLifetime.* TIMEOUT 180)
kr2_add_e2e_test(NAME gui_cues COMMAND kr2_gui_e2e --gtest_filter=GuiCues.* TIMEOUT 120)
