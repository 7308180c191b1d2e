# Soak and high-DPI tests: the real kr2_s1.exe under Wine, driven through the
# driver library (driver/driver.cmake).
set(KR2_STRESS_DIR ${CMAKE_CURRENT_LIST_DIR})
kr2_add_e2e_program(NAME kr2_stress_e2e
  SOURCES soak_driver.cpp soak_test.cpp system_dpi_setting.cpp high_dpi_test.cpp LIBS advapi32)
# The plan the inside probe's harness follows (a DPI handed to the launcher).
target_include_directories(kr2_stress_e2e PRIVATE ${KR2_E2E_DIR}/hardening)
kr2_e2e_executable(kr2_stress_e2e)

# A face named "Microsoft Sans Serif", as Windows has one, made from Wine's
# Tahoma with fontTools (scripts/deps.sh installs both).
find_file(KR2_WINE_TAHOMA tahoma.ttf PATHS /usr/share/wine/fonts /usr/lib/wine/fonts
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_program(KR2_FONTTOOLS_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT KR2_WINE_TAHOMA OR NOT KR2_FONTTOOLS_PYTHON)
  message(FATAL_ERROR "stress e2e tests: Wine's tahoma.ttf (fonts-wine) and /usr/bin/python3 with "
                      "python3-fonttools are needed (scripts/deps.sh)")
endif()
set(KR2_SANS_SERIF_STAND_IN ${CMAKE_CURRENT_BINARY_DIR}/kr2_micross.ttf)
add_custom_command(OUTPUT ${KR2_SANS_SERIF_STAND_IN}
  COMMAND ${KR2_FONTTOOLS_PYTHON} ${KR2_STRESS_DIR}/windows_sans_serif.py ${KR2_WINE_TAHOMA} ${KR2_SANS_SERIF_STAND_IN}
  DEPENDS ${KR2_STRESS_DIR}/windows_sans_serif.py ${KR2_WINE_TAHOMA} VERBATIM)
add_custom_target(kr2_sans_serif_stand_in DEPENDS ${KR2_SANS_SERIF_STAND_IN})
add_dependencies(kr2_stress_e2e kr2_sans_serif_stand_in)
target_compile_definitions(kr2_stress_e2e PRIVATE "KR2_SANS_SERIF_STAND_IN=L\"Z:${KR2_SANS_SERIF_STAND_IN}\"")

# 4 x 150 window cycles and 31 Notepad starts (./scripts/soak: 4 x 1000 and
# 301, hence the timeout); they print how long they took.
kr2_add_e2e_test(NAME stress_soak COMMAND kr2_stress_e2e --gtest_filter=StressSoak.* TIMEOUT 900)
# One launcher run at 144 DPI and one at 120; the prefix's own DPI comes back
# afterwards.
kr2_add_e2e_test(NAME stress_high_dpi COMMAND kr2_stress_e2e --gtest_filter=StressHighDpi.* TIMEOUT 180
                 SECOND_WORLD)

# The soak's Notepad starts with no launcher code, for ./scripts/soak; not a
# test of its own: it reproduces a platform failure at a low rate.
add_executable(kr2_soak_bare_starts ${KR2_STRESS_DIR}/soak_bare_starts.cpp)
target_link_options(kr2_soak_bare_starts PRIVATE -municode)
kr2_e2e_executable(kr2_soak_bare_starts)
