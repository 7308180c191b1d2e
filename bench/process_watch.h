#pragma once
// What the bench driver needs to start programs and find their windows.

#include <windows.h>

#include <string>

namespace kr2::bench {

// The performance counter in its own ticks, and those ticks in milliseconds.
long long Now();
double Milliseconds(long long ticks);

// A started process; the handle is closed when the owner goes.
class Child {
public:
    Child() = default;
    Child(HANDLE process, DWORD pid) : process_(process), pid_(pid) {}
    Child(Child&& other) noexcept : process_(other.process_), pid_(other.pid_) { other.process_ = nullptr; }
    Child& operator=(Child&&) = delete;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child();

    explicit operator bool() const { return process_ != nullptr; }
    HANDLE handle() const { return process_; }
    DWORD pid() const { return pid_; }
    // Waits for the process to end by itself, then ends it.
    void Finish(DWORD graceMs);

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Starts a command line the way the launcher does: one string handed over
// whole, a requested show state, the program found by the platform's search.
Child Spawn(const std::wstring& commandLine, const std::wstring& directory, int show);

// A visible top-level window of the process with exactly this caption.
HWND FindTopWindow(DWORD pid, const wchar_t* caption);
HWND WaitForTopWindow(DWORD pid, const wchar_t* caption, DWORD timeoutMs);
HWND FindButton(HWND window, const wchar_t* caption);

// Presses a button of another process as a click would; false when the
// button's process did not answer in time.
bool Click(HWND button);

}  // namespace kr2::bench
