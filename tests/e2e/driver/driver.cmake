# The driver of the real kr2_s1.exe, one static library for every group that
# runs it (gui, hardening, stress): the expected windows (from the design
# table), finding windows and controls, the inside probe's client, real key
# and mouse input, the launcher in a throwaway game layout, the window
# checks, stubs in the prefix, screen pixels, message boxes and resource
# counts; and the inside probe's DLL, which the driver loads into the
# launcher.
if(NOT TARGET kr2_s1 OR NOT TARGET kr2_e2e_support)
  message(FATAL_ERROR "e2e driver: the targets kr2_s1 and kr2_e2e_support must exist "
                      "(platform/win32/gui.cmake, tests/e2e/support.cmake)")
endif()

set(KR2_DRIVER_DIR ${CMAKE_CURRENT_LIST_DIR})

# Loaded into the launcher as a message hook to read fonts, the icon and what
# assistive technology is told; it carries the fault sweep's harness
# (hardening/fault_harness.cpp), which does nothing unless a plan is named.
add_library(kr2_gui_inside_probe SHARED ${KR2_DRIVER_DIR}/inside_probe_hook.cpp
            ${KR2_E2E_DIR}/hardening/fault_harness.cpp)
set_target_properties(kr2_gui_inside_probe PROPERTIES PREFIX "")
target_include_directories(kr2_gui_inside_probe PRIVATE ${KR2_DRIVER_DIR} ${KR2_E2E_DIR}/hardening)
target_link_libraries(kr2_gui_inside_probe PRIVATE user32 gdi32 oleacc oleaut32 comctl32 winmm)
kr2_e2e_executable(kr2_gui_inside_probe)

add_library(kr2_e2e_driver STATIC
  ${KR2_DRIVER_DIR}/window_probe.cpp
  ${KR2_DRIVER_DIR}/inside_probe.cpp
  ${KR2_DRIVER_DIR}/key_input.cpp
  ${KR2_DRIVER_DIR}/launcher_run.cpp
  ${KR2_DRIVER_DIR}/window_checks.cpp
  ${KR2_DRIVER_DIR}/screen_pixels.cpp
  ${KR2_DRIVER_DIR}/message_boxes.cpp
  ${KR2_DRIVER_DIR}/resource_counts.cpp
)
target_include_directories(kr2_e2e_driver PUBLIC ${KR2_DRIVER_DIR} ${PROJECT_SOURCE_DIR}/platform/win32)
# kr2_windows: the picture's decoder (screen_pixels.cpp).
target_link_libraries(kr2_e2e_driver PUBLIC kr2_e2e_support kr2_test_design kr2_windows user32 gdi32)
kr2_e2e_embed_path(kr2_e2e_driver KR2_LAUNCHER_EXE kr2_s1)
kr2_e2e_embed_path(kr2_e2e_driver KR2_INSIDE_PROBE_DLL kr2_gui_inside_probe)
