#include "child_process.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "utf8.h"

namespace kr2::e2e {

ChildProcess::ChildProcess(const ChildOptions& options) {
    std::vector<wchar_t> line(options.commandLine.begin(), options.commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const wchar_t* app = options.applicationName.empty() ? nullptr : options.applicationName.c_str();
    const wchar_t* dir = options.workingDir.empty() ? nullptr : options.workingDir.c_str();
    if (!CreateProcessW(app, line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir, &si, &pi))
        throw std::runtime_error("cannot start " + ToUtf8(options.commandLine) + ": error " +
                                 std::to_string(GetLastError()));
    UniqueHandle thread(pi.hThread);
    process_.reset(pi.hProcess);
    processId_ = pi.dwProcessId;
}

ChildProcess::ChildProcess(std::uint32_t runningProcessId) : processId_(runningProcessId) {
    process_.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE,
                               runningProcessId));
    if (!process_)
        throw std::runtime_error("cannot open process " + std::to_string(runningProcessId) + ": error " +
                                 std::to_string(GetLastError()));
}

ChildProcess::~ChildProcess() {
    if (Running()) Kill();
}

std::optional<std::uint32_t> ChildProcess::Wait(unsigned timeoutMs) {
    if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

bool ChildProcess::Running() const {
    return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

void ChildProcess::Kill() {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
}

std::uint64_t NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<std::uint64_t>(now.QuadPart) * 1000u / static_cast<std::uint64_t>(frequency.QuadPart);
}

}  // namespace kr2::e2e
