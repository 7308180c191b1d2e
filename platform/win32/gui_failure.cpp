#include "gui_failure.h"

#include <new>
#include <string>

namespace kr2 {
namespace {

std::wstring SystemText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result;
    if (length && text) {
        result.assign(text, length);
        while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' '))
            result.pop_back();
    }
    if (text) LocalFree(text);
    if (result.empty()) {
        wchar_t digits[16];
        wsprintfW(digits, L"%lu", code);
        result = L"Error ";
        result += digits;
    }
    return result;
}

// The numbers and words the run-time error box uses for failures that do
// not come from the platform.
constexpr std::uint32_t kOutOfMemory = 7;
constexpr std::uint32_t kInternalError = 51;

}  // namespace

void ThrowLastError() {
    DWORD code = GetLastError();
    // Some refusals (a window class or window that cannot be made) leave no
    // error code behind; a zero would read as success in the box.
    if (code == ERROR_SUCCESS) code = ERROR_NOT_ENOUGH_MEMORY;
    throw RunTimeFailure(LaunchError{code, SystemText(code)});
}

LaunchError DescribeFailure(std::exception_ptr failure) noexcept {
    try {
        try {
            if (failure) std::rethrow_exception(failure);
        } catch (const RunTimeFailure& e) {
            return e.error();
        } catch (const std::bad_alloc&) {
            return {kOutOfMemory, L"Out of memory"};
        } catch (...) {
            return {kInternalError, L"Internal error"};
        }
    } catch (...) {
        // Copying the description itself ran out of memory.
    }
    return {kInternalError, {}};
}

}  // namespace kr2
