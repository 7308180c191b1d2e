// Stands in for a program the launcher starts (the game, Notepad, Internet
// Explorer): appends one record of how it was started to the file named by
// KR2_STUB_LOG and exits 0 at once. No console, no window.

#include <windows.h>

#include <string>

#include "stub_record.h"
#include "utf8.h"

namespace {

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
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

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::wstring log = LogPath();
    if (log.empty()) return 0;

    STARTUPINFOW si{};
    si.cb = sizeof si;
    GetStartupInfoW(&si);

    kr2::e2e::StubRecord record;
    record.module = ModulePath();
    record.commandLine = GetCommandLineW();
    record.startupFlags = si.dwFlags;
    record.showWindow = si.wShowWindow;
    record.currentDir = CurrentDir();
    record.processId = GetCurrentProcessId();

    // A failed write is reported through the exit code; the tests see it as
    // a missing record.
    return AppendLine(log, kr2::e2e::ToUtf8(kr2::e2e::FormatRecord(record) + L"\n")) ? 0 : 3;
}
