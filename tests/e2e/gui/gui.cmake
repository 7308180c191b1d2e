# End-to-end GUI tests: a driver drives the real kr2_s1.exe under Wine through
# its windows (found by process id and caption) and real key input.
if(NOT TARGET kr2_s1 OR NOT TARGET kr2_e2e_support)
  message(FATAL_ERROR "GUI e2e tests: the targets kr2_s1 and kr2_e2e_support must exist "
                      "(platform/win32/gui.cmake, tests/e2e/support.cmake)")
endif()

set(KR2_GUI_DIR ${CMAKE_CURRENT_LIST_DIR})

# Loaded into the launcher as a message hook to read fonts, the icon and what
# assistive technology is told.
add_library(kr2_gui_inside_probe SHARED ${KR2_GUI_DIR}/inside_probe_hook.cpp ${KR2_GUI_DIR}/fault_harness.cpp)
set_target_properties(kr2_gui_inside_probe PROPERTIES PREFIX "")
target_link_libraries(kr2_gui_inside_probe PRIVATE user32 gdi32 oleacc oleaut32 comctl32 winmm)
kr2_e2e_executable(kr2_gui_inside_probe)

add_executable(kr2_gui_e2e
  ${KR2_GUI_DIR}/expected_windows.cpp
  ${KR2_GUI_DIR}/window_probe.cpp
  ${KR2_GUI_DIR}/inside_probe.cpp
  ${KR2_GUI_DIR}/key_input.cpp
  ${KR2_GUI_DIR}/launcher_run.cpp
  ${KR2_GUI_DIR}/window_checks.cpp
  ${KR2_GUI_DIR}/prefix_stub.cpp
  ${KR2_GUI_DIR}/layout_test.cpp
  ${KR2_GUI_DIR}/keyboard_test.cpp
  ${KR2_GUI_DIR}/catalogue_test.cpp
  ${KR2_GUI_DIR}/lifetime_test.cpp
  ${KR2_GUI_DIR}/cue_timing_test.cpp
  ${KR2_GUI_DIR}/../stress/screen_pixels.cpp
)
target_include_directories(kr2_gui_e2e PRIVATE ${KR2_GUI_DIR}/../stress ${PROJECT_SOURCE_DIR}/platform/win32)
target_link_libraries(kr2_gui_e2e PRIVATE kr2_e2e_support kr2_windows gtest_main user32 gdi32)
kr2_e2e_executable(kr2_gui_e2e)
kr2_e2e_embed_path(kr2_gui_e2e KR2_LAUNCHER_EXE kr2_s1)
kr2_e2e_embed_path(kr2_gui_e2e KR2_INSIDE_PROBE_DLL kr2_gui_inside_probe)

# One launcher run per group where the checks allow it; the catalogue needs
# one run per entry, since almost every entry ends the launcher.
kr2_add_e2e_test(NAME gui_layout COMMAND kr2_gui_e2e --gtest_filter=GuiLayout.* TIMEOUT 120)
kr2_add_e2e_test(NAME gui_keyboard COMMAND kr2_gui_e2e --gtest_filter=GuiKeyboard.* TIMEOUT 120)
kr2_add_e2e_test(NAME gui_catalogue COMMAND kr2_gui_e2e --gtest_filter=GuiCatalogue.* TIMEOUT 300)
kr2_add_e2e_test(NAME gui_lifetime COMMAND kr2_gui_e2e --gtest_filter=GuiLifetime.* TIMEOUT 180)
kr2_add_e2e_test(NAME gui_cues COMMAND kr2_gui_e2e --gtest_filter=GuiCues.* TIMEOUT 120)
