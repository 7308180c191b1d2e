#include "platform_failure.h"

#include <string>

#include "platform_queries.h"
#include "run_time_error.h"

namespace kr2 {

LaunchError PlatformError(DWORD code) {
    if (code == ERROR_SUCCESS) return {kOutOfMemory, {}};
    std::wstring text = SystemErrorText(code);
    if (text.empty()) text = L"Unexpected platform error";
    return {code, std::move(text)};
}

void ThrowPlatformError(DWORD code) { throw RunTimeFailure(PlatformError(code)); }

void ThrowLastError() { ThrowPlatformError(GetLastError()); }

}  // namespace kr2
