#include "process_watch.h"

#include <vector>

namespace kr2::bench {

long long Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Milliseconds(long long ticks) {
    static const double perMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    return static_cast<double>(ticks) / perMs;
}

Child::~Child() {
    if (process_) CloseHandle(process_);
}

void Child::Finish(DWORD graceMs) {
    if (!process_) return;
    if (WaitForSingleObject(process_, graceMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
}

Child Spawn(const std::wstring& commandLine, const std::wstring& directory, int show) {
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &si, &pi))
        return {};
    CloseHandle(pi.hThread);
    return {pi.hProcess, pi.dwProcessId};
}

namespace {

bool HasCaption(HWND hwnd, const wchar_t* caption) {
    wchar_t text[128];
    const int n = GetWindowTextW(hwnd, text, 128);
    return n >= 0 && lstrcmpW(text, caption) == 0;
}

struct TopSearch {
    DWORD pid;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK MatchTop(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<TopSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd) || !HasCaption(hwnd, s->caption)) return TRUE;
    s->found = hwnd;
    return FALSE;
}

struct ButtonSearch {
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK MatchButton(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<ButtonSearch*>(param);
    wchar_t cls[32];
    GetClassNameW(hwnd, cls, 32);
    if (lstrcmpiW(cls, L"Button") != 0 || !HasCaption(hwnd, s->caption)) return TRUE;
    s->found = hwnd;
    return FALSE;
}

}  // namespace

HWND FindTopWindow(DWORD pid, const wchar_t* caption) {
    TopSearch s{pid, caption, nullptr};
    EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND WaitForTopWindow(DWORD pid, const wchar_t* caption, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND hwnd = FindTopWindow(pid, caption)) return hwnd;
        if (GetTickCount() - start > timeoutMs) return nullptr;
        Sleep(1);
    }
}

HWND FindButton(HWND window, const wchar_t* caption) {
    ButtonSearch s{caption, nullptr};
    EnumChildWindows(window, MatchButton, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

bool Click(HWND button) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &result) != 0 ||
           !IsWindow(button);
}

}  // namespace kr2::bench
