# The design table (expected_layout.h): header-only, shared by the native
# unit tests and the cross-built end-to-end tests. It names the windows by
# the launcher's own list (windows/window_id.h) and nothing else of it.
include_guard(GLOBAL)
add_library(kr2_test_design INTERFACE)
target_include_directories(kr2_test_design INTERFACE ${CMAKE_CURRENT_LIST_DIR} ${PROJECT_SOURCE_DIR}/windows)
