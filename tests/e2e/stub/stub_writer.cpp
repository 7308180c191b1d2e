#include "stub_writer.h"

#include <string>

#include "stub_record.h"
#include "utf8.h"

namespace {

std::wstring ModulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring CurrentDir() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(size, L'\0');
    const DWORD n = GetCurrentDirectoryW(size, dir.data());
    dir.resize(n);
    return dir;
}

std::wstring LogPath() {
    const DWORD size = GetEnvironmentVariableW(kr2::e2e::kStubLogVariable, nullptr, 0);
    if (size == 0) return {};
    std::wstring path(size, L'\0');
    const DWORD n = GetEnvironmentVariableW(kr2::e2e::kStubLogVariable, path.data(), size);
    path.resize(n);
    return path;
}

// Two stubs may start at once: share the file, retry while another holds it,
// and write the whole line in one call so lines never interleave.
bool AppendLine(const std::wstring& file, const std::string& line) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        HANDLE h = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (GetLastError() != ERROR_SHARING_VIOLATION) return false;
            Sleep(10);
            continue;
        }
        DWORD written = 0;
        const BOOL ok = WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(h);
        return ok && written == line.size();
    }
    return false;
}

}  // namespace

namespace kr2::e2e {

bool AppendStubRecord(HMODULE module) {
    const std::wstring log = LogPath();
    if (log.empty()) return true;

    STARTUPINFOW si{};
    si.cb = sizeof si;
    GetStartupInfoW(&si);

    StubRecord record;
    record.module = ModulePath(module);
    record.commandLine = GetCommandLineW();
    record.startupFlags = si.dwFlags;
    record.showWindow = si.wShowWindow;
    record.currentDir = CurrentDir();
    record.processId = GetCurrentProcessId();
    return AppendLine(log, ToUtf8(FormatRecord(record) + L"\n"));
}

}  // namespace kr2::e2e

