#include "platform_failure.h"

#include <string>

#include "platform_queries.h"
#include "ports.h"

namespace kr2 {

void ThrowPlatformError(DWORD code) {
    if (code == ERROR_SUCCESS) code = ERROR_NOT_ENOUGH_MEMORY;
    std::wstring text = SystemErrorText(code);
    if (text.empty()) text = L"Unexpected platform error";
    throw RunTimeFailure(LaunchError{code, std::move(text)});
}

void ThrowLastError() { ThrowPlatformError(GetLastError()); }

}  // namespace kr2
