# The stand-in game for the demo layout (copied as kr2sp.exe and kr2mp.exe by
# scripts/run). Included by platform/win32/gui.cmake.
add_executable(kr2_demo_game WIN32 ${CMAKE_CURRENT_LIST_DIR}/demo_game.cpp)
set_target_properties(kr2_demo_game PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/demo)
kr2_static_runtime(kr2_demo_game)
if(MINGW)
  target_link_options(kr2_demo_game PRIVATE -municode -s)
endif()
