#include "window_probe.h"

namespace kr2::e2e {
namespace {

struct TopSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<TopSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && IsWindowVisible(hwnd)) search->found.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> AllTopLevelWindows(DWORD pid) {
    TopSearch search{pid, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> TopLevelWindows(DWORD pid, std::wstring_view caption) {
    std::vector<HWND> out;
    for (HWND h : AllTopLevelWindows(pid)) {
        if (CaptionOf(h) == caption) out.push_back(h);
    }
    return out;
}

std::wstring TextOf(HWND hwnd) {
    // WM_GETTEXT rather than GetWindowText: the latter does not read a
    // control's text across processes.
    wchar_t buf[512] = {};
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    return buf;
}

std::wstring CaptionOf(HWND hwnd) {
    // Read without a message, so a launcher busy playing a cue cannot block it.
    wchar_t buf[512] = {};
    GetWindowTextW(hwnd, buf, 512);
    return buf;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t buf[256] = {};
    GetClassNameW(hwnd, buf, 256);
    return buf;
}

std::vector<HWND> Descendants(HWND top) {
    std::vector<HWND> out;
    EnumChildWindows(top, CollectChild, reinterpret_cast<LPARAM>(&out));
    return out;
}

HWND FindControl(HWND top, const ExpectedWindow& w, int index) {
    const ExpectedControl& want = w.controls[static_cast<std::size_t>(index)];
    const bool textless = want.kind == Kind::Picture || want.kind == Kind::Image;
    for (HWND h : Descendants(top)) {
        if (!IsWindowVisible(h)) continue;
        if (textless ? TextOf(h).empty() : TextOf(h) == want.caption) return h;
    }
    return nullptr;
}

RECT ClientOnScreen(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND FocusOf(HWND anyWindowOfThread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD tid = GetWindowThreadProcessId(anyWindowOfThread, nullptr);
    return GetGUIThreadInfo(tid, &info) ? info.hwndFocus : nullptr;
}

HWND ActiveOf(HWND anyWindowOfThread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD tid = GetWindowThreadProcessId(anyWindowOfThread, nullptr);
    return GetGUIThreadInfo(tid, &info) ? info.hwndActive : nullptr;
}

HWND WaitForWindow(DWORD pid, std::wstring_view caption, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitFor([&] {
        const auto all = TopLevelWindows(pid, caption);
        found = all.size() == 1 ? all.front() : nullptr;
        return found != nullptr;
    }, timeoutMs);
    return found;
}

bool WaitForNoWindow(DWORD pid, std::wstring_view caption, DWORD timeoutMs) {
    return WaitFor([&] { return TopLevelWindows(pid, caption).empty(); }, timeoutMs);
}

}  // namespace kr2::e2e
