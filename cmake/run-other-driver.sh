#!/bin/sh
# Compiler and linker launcher: runs the driver named first with the command
# line CMake made for the tree's own C++ driver, which comes second.
#   run-other-driver.sh <driver to run> <tree's driver> <arguments...>
# Used for the targets that go into kr2_s1.exe (cmake/win32_thread_model.cmake):
# both drivers are the same GCC release, so every option means the same to
# both; only the runtime they compile and link against differs.
driver=$1
shift 2
exec "$driver" "$@"
