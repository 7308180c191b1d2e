# End-to-end GUI tests: the driver (driver/driver.cmake) drives the real
# kr2_s1.exe under Wine through its windows (found by process id and caption)
# and real key input.
kr2_add_e2e_program(NAME kr2_gui_e2e
  SOURCES layout_test.cpp keyboard_test.cpp catalogue_test.cpp lifetime_test.cpp cue_timing_test.cpp)

# One launcher run per group where the checks allow it; the catalogue needs
# one run per entry, since almost every entry ends the launcher.
kr2_add_e2e_test(NAME gui_layout COMMAND kr2_gui_e2e --gtest_filter=GuiLayout.* TIMEOUT 120)
kr2_add_e2e_test(NAME gui_keyboard COMMAND kr2_gui_e2e --gtest_filter=GuiKeyboard.* TIMEOUT 120)
kr2_add_e2e_test(NAME gui_catalogue COMMAND kr2_gui_e2e --gtest_filter=GuiCatalogue.* TIMEOUT 300)
kr2_add_e2e_test(NAME gui_lifetime COMMAND kr2_gui_e2e --gtest_filter=GuiLifetime.* TIMEOUT 180)
kr2_add_e2e_test(NAME gui_cues COMMAND kr2_gui_e2e --gtest_filter=GuiCues.* TIMEOUT 120)
