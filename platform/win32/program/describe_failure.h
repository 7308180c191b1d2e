#pragma once
// What the run-time error box shows for a failure carried out of a handler
// or out of start-up.

#include <exception>

#include "ports.h"

namespace kr2 {

LaunchError DescribeFailure(std::exception_ptr failure) noexcept;

}  // namespace kr2
