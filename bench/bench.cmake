# Benchmark programs for scripts/bench: the driver that times kr2_s1.exe inside
# Wine, the bare window it is compared with (plain, with comctl32 loaded, and
# with the launcher's manifest), the bare program that shows the launcher's
# own main window (the floor of its start-up), and the stub that stamps the moment the
# started game's main begins.
enable_language(RC)
set(KR2_BENCH_DIR ${CMAKE_CURRENT_LIST_DIR})

function(kr2_bench_program name)
  add_executable(${name} ${ARGN})
  target_compile_definitions(${name} PRIVATE UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
  target_include_directories(${name} PRIVATE ${KR2_BENCH_DIR} ${PROJECT_SOURCE_DIR}/core)
  if(MINGW)
    # Same runtime as the launcher: no DLL beyond those Windows ships.
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++
                        -Wl,--gc-sections $<$<NOT:$<CONFIG:Debug>>:-s>)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

kr2_bench_program(baseline_window WIN32 ${KR2_BENCH_DIR}/baseline_window.cpp)

# comctl32 imported and initialised, no manifest: what loading the DLL costs.
kr2_bench_program(baseline_window_comctl WIN32 ${KR2_BENCH_DIR}/baseline_window.cpp)
target_compile_definitions(baseline_window_comctl PRIVATE KR2_BENCH_COMMON_CONTROLS)
target_link_libraries(baseline_window_comctl PRIVATE comctl32)

kr2_bench_program(baseline_window_cc6 WIN32
  ${KR2_BENCH_DIR}/baseline_window.cpp
  ${KR2_BENCH_DIR}/baseline_manifest.rc)
target_compile_definitions(baseline_window_cc6 PRIVATE KR2_BENCH_COMMON_CONTROLS)
target_include_directories(baseline_window_cc6 PRIVATE ${PROJECT_SOURCE_DIR}/platform/win32/program)
target_link_libraries(baseline_window_cc6 PRIVATE comctl32)
set_source_files_properties(${KR2_BENCH_DIR}/baseline_manifest.rc PROPERTIES OBJECT_DEPENDS
  ${PROJECT_SOURCE_DIR}/platform/win32/program/kr2_s1.manifest)

# The launcher's main window and nothing else. Its resources are the
# launcher's own resource script, and its picture is expanded by the
# launcher's decoder: the same bytes at the same cost.
set(KR2_WIN32_DIR ${PROJECT_SOURCE_DIR}/platform/win32/program)
kr2_bench_program(same_window WIN32 ${KR2_BENCH_DIR}/same_window.cpp ${KR2_WIN32_DIR}/kr2_s1.rc)
target_include_directories(same_window PRIVATE ${PROJECT_SOURCE_DIR}/assets)
target_link_libraries(same_window PRIVATE kr2_screen)
if(MINGW)
  # The .rc is UTF-8. Set on the source, as for the launcher: an RC option
  # on the target does not reach windres under Ninja.
  set_property(SOURCE ${KR2_WIN32_DIR}/kr2_s1.rc APPEND PROPERTY COMPILE_OPTIONS -c65001)
endif()
set_source_files_properties(${KR2_WIN32_DIR}/kr2_s1.rc PROPERTIES OBJECT_DEPENDS
  "${KR2_WIN32_DIR}/kr2_s1.manifest;${PROJECT_SOURCE_DIR}/platform/win32/resource.h;${KR2_WIN32_DIR}/version.h;${PROJECT_SOURCE_DIR}/assets/kr2_s1.ico;${PROJECT_SOURCE_DIR}/assets/picture.packed")

kr2_bench_program(stamp_stub WIN32 ${KR2_BENCH_DIR}/stamp_stub.cpp)

kr2_bench_program(bench_driver
  ${KR2_BENCH_DIR}/bench_driver.cpp
  ${KR2_BENCH_DIR}/measurements.cpp
  ${KR2_BENCH_DIR}/process_watch.cpp
  ${KR2_BENCH_DIR}/show_watch.cpp)
target_link_libraries(bench_driver PRIVATE psapi)
