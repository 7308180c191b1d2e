#pragma once
// Failures of the windowing calls, as the run-time error box reports them.

#include <windows.h>

#include <exception>

#include "ports.h"

namespace kr2 {

// The calling thread's last error as a RunTimeFailure.
[[noreturn]] void ThrowLastError();

// What the run-time error box shows for a failure carried out of a handler.
LaunchError DescribeFailure(std::exception_ptr failure) noexcept;

}  // namespace kr2
