#include "gui_failure.h"

#include <new>
#include <string>

#include "win32_ports.h"

namespace kr2 {

void ThrowLastError() {
    DWORD code = GetLastError();
    // Some refusals (a window class or window that cannot be made) leave no
    // error code behind; a zero would read as success in the box.
    if (code == ERROR_SUCCESS) code = ERROR_NOT_ENOUGH_MEMORY;
    std::wstring text = SystemErrorText(code);
    if (text.empty()) text = L"Unexpected platform error";
    throw RunTimeFailure(LaunchError{code, std::move(text)});
}

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
    }
    return {kInternalError, {}};
}

}  // namespace kr2
