# The launcher built by the second compiler (cmake/clang-mingw-w64-x86_64.cmake)
# under the win64 tree's own GUI test programs: its layout and catalogue
# groups, unchanged, run against this tree's kr2_s1.exe, which they are told
# of through KR2_E2E_LAUNCHER (gui/launcher_run.h). The test programs, the
# stubs and the inside probe stay the ones GCC built in KR2_E2E_PROGRAMS_DIR:
# they are the measure, not what is measured, and this tree builds nothing
# but the launcher. Build that tree first (scripts/test does).
if(NOT TARGET kr2_s1)
  message(FATAL_ERROR "second_compiler.cmake: the target kr2_s1 must exist (platform/win32/gui.cmake)")
endif()
if(NOT IS_ABSOLUTE "${KR2_E2E_PROGRAMS_DIR}")
  message(FATAL_ERROR "KR2_E2E_PROGRAMS_DIR must name the win64 build tree by its full path "
                      "(is: \"${KR2_E2E_PROGRAMS_DIR}\")")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/fixture.cmake)

set(KR2_OTHER_GUI_E2E ${KR2_E2E_PROGRAMS_DIR}/tests/e2e/kr2_gui_e2e.exe)
foreach(group IN ITEMS "gui_layout;GuiLayout;120" "gui_catalogue;GuiCatalogue;300")
  list(GET group 0 name)
  list(GET group 1 suite)
  list(GET group 2 timeout)
  kr2_add_e2e_test(NAME ${name}
    COMMAND ${KR2_E2E_DIR}/wine-env ${KR2_OTHER_GUI_E2E} --gtest_filter=${suite}.* TIMEOUT ${timeout})
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "KR2_E2E_LAUNCHER=Z:$<TARGET_FILE:kr2_s1>")
  # The program says which launcher it ran: the one GCC built beside it
  # means the variable never reached it.
  set_property(TEST ${name} APPEND PROPERTY FAIL_REGULAR_EXPRESSION "built beside this program")
endforeach()
