#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "command_line.h"
#include "owner.h"
#include "platform_failure.h"
#include "win32_ports.h"

namespace kr2 {

// The show state travels to the started program as the platform's own number.
static_assert(static_cast<int>(ShowState::ShowNormal) == SW_SHOWNORMAL &&
              static_cast<int>(ShowState::ShowMinimized) == SW_SHOWMINIMIZED);

LaunchResult Win32ProcessLauncher::LaunchProcess(std::wstring_view commandLine, ShowState show) {
    // CreateProcessW may write into the line, so it gets a copy.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');

    // An absolute program path is named explicitly: left to the platform, an
    // unquoted "C:\Program Files\..." would first try "C:\Program.exe". The
    // child still gets the whole line as its command line.
    std::wstring application;
    if (const std::optional<std::wstring_view> program = AbsoluteProgramPart(commandLine)) {
        application.assign(*program);
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION created{};
    if (!Cleared(CreateProcessW, application.empty() ? nullptr : application.c_str(), line.data(), nullptr, nullptr,
                 FALSE, 0, nullptr, nullptr, &startup, &created)) {
        DWORD code = GetLastError();
        // Named explicitly, a program in a missing directory fails with
        // "path not found"; the program search, which the line would get
        // otherwise, calls every missing program "file not found". Keep
        // reporting that.
        if (!application.empty() && code == ERROR_PATH_NOT_FOUND) code = ERROR_FILE_NOT_FOUND;
        return LaunchResult::Failed(PlatformError(code));
    }
    // Nothing of the started process is kept.
    UniqueHandle process(created.hProcess);
    UniqueHandle thread(created.hThread);
    return LaunchResult::Started(created.dwProcessId);
}

}  // namespace kr2
