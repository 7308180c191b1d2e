#include "describe_failure.h"

#include <new>

#include "run_time_error.h"

namespace kr2 {

LaunchError DescribeFailure(std::exception_ptr failure) noexcept {
    try {
        try {
            if (failure) std::rethrow_exception(failure);
        } catch (const RunTimeFailure& e) {
            return e.error();
        } catch (const std::bad_alloc&) {
            return {kOutOfMemory, {}};
        } catch (...) {
        }
    } catch (...) {
        // Copying the description itself ran out of memory.
        return {kOutOfMemory, {}};
    }
    return {kInternalError, {}};
}

}  // namespace kr2
