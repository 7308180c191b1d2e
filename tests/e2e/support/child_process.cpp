#include "child_process.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "utf8.h"

namespace kr2::e2e {
namespace {

// The program is still suspended: a thread of its own loads the DLL (the
// loader sets the process up first), and only then does it start.
void LoadInto(HANDLE process, const std::wstring& dll) {
    const SIZE_T bytes = (dll.size() + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote || !WriteProcessMemory(process, remote, dll.c_str(), bytes, nullptr))
        throw std::runtime_error("cannot hand " + ToUtf8(dll) + " over: error " + std::to_string(GetLastError()));
    // kernel32 is at the same place in every process.
    const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    UniqueHandle thread(CreateRemoteThread(process, nullptr, 0, load, remote, 0, nullptr));
    DWORD loaded = 0;
    if (!thread || WaitForSingleObject(thread.get(), 10000) != WAIT_OBJECT_0 ||
        !GetExitCodeThread(thread.get(), &loaded) || loaded == 0)
        throw std::runtime_error("cannot load " + ToUtf8(dll) + " into the program: error " +
                                 std::to_string(GetLastError()));
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
}

}  // namespace

ChildProcess::ChildProcess(const ChildOptions& options) {
    std::vector<wchar_t> line(options.commandLine.begin(), options.commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const wchar_t* app = options.applicationName.empty() ? nullptr : options.applicationName.c_str();
    const wchar_t* dir = options.workingDir.empty() ? nullptr : options.workingDir.c_str();
    const DWORD flags = options.loadFirst.empty() ? 0 : CREATE_SUSPENDED;
    if (!CreateProcessW(app, line.data(), nullptr, nullptr, FALSE, flags, nullptr, dir, &si, &pi))
        throw std::runtime_error("cannot start " + ToUtf8(options.commandLine) + ": error " +
                                 std::to_string(GetLastError()));
    UniqueHandle thread(pi.hThread);
    process_.reset(pi.hProcess);
    processId_ = pi.dwProcessId;
    if (options.loadFirst.empty()) return;
    LoadInto(process_.get(), options.loadFirst);
    ResumeThread(thread.get());
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
