# The launcher built by a second compiler (the win64-clang preset:
# cmake/clang-mingw-w64-x86_64.cmake, KR2_LAUNCHER_ONLY) under this tree's
# own GUI test programs: the layout and catalogue groups, unchanged, run
# against the kr2_s1.exe that KR2_SECOND_LAUNCHER names, which they are told
# of through KR2_E2E_LAUNCHER (driver/launcher_run.h). The test programs, the
# stubs and the inside probe stay the ones built here: they are the measure,
# not what is measured. Build that tree first (scripts/test does).
set(KR2_SECOND_LAUNCHER "" CACHE FILEPATH
    "kr2_s1.exe of a second compiler's tree, run by the GUI layout and catalogue groups too (empty: none)")
if(NOT KR2_SECOND_LAUNCHER)
  return()
endif()
if(NOT IS_ABSOLUTE "${KR2_SECOND_LAUNCHER}")
  message(FATAL_ERROR "KR2_SECOND_LAUNCHER must name the exe by its full path (is: \"${KR2_SECOND_LAUNCHER}\")")
endif()

foreach(group IN ITEMS "second_gui_layout;GuiLayout;120" "second_gui_catalogue;GuiCatalogue;300")
  list(GET group 0 name)
  list(GET group 1 suite)
  list(GET group 2 timeout)
  kr2_add_e2e_test(NAME ${name} COMMAND kr2_gui_e2e --gtest_filter=${suite}.* TIMEOUT ${timeout})
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "KR2_E2E_LAUNCHER=Z:${KR2_SECOND_LAUNCHER}")
  # The program says which launcher it ran: the one built beside it means
  # the variable never reached it.
  set_property(TEST ${name} APPEND PROPERTY FAIL_REGULAR_EXPRESSION "built beside this program")
endforeach()
