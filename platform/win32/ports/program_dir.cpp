#include <windows.h>

#include "command_line.h"
#include "platform_failure.h"
#include "platform_queries.h"
#include "win32_ports.h"

namespace kr2 {

std::wstring Win32ProgramDir::ProgramDir() { return std::wstring(DirectoryOfModule(ModuleFileName())); }

std::wstring ModuleFileName(unsigned long initialSize) {
    // Paths longer than MAX_PATH exist ("\\?\" installs): grow until the
    // whole name fits. A full buffer means the name was cut short.
    std::wstring path(initialSize == 0 ? 1 : initialSize, L'\0');
    for (;;) {
        const DWORD n = Cleared(GetModuleFileNameW, nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) ThrowLastError();
        if (n < path.size() && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            path.resize(n);
            break;
        }
        if (path.size() >= 32768) ThrowPlatformError(ERROR_INSUFFICIENT_BUFFER);
        path.resize(path.size() * 2);
    }
    return path;
}

}  // namespace kr2
