#include "show_watch.h"

#include "process_watch.h"

namespace kr2::bench {

namespace {

// The hook callback carries no context of its own.
struct Target {
    DWORD pid = 0;
    const wchar_t* caption = nullptr;
    std::vector<HWND> candidates;
    long long createdAt = 0;
} g_target;

bool HasCaption(HWND hwnd) {
    wchar_t text[128];
    return GetWindowTextW(hwnd, text, 128) >= 0 && lstrcmpW(text, g_target.caption) == 0;
}

void CALLBACK OnCreate(HWINEVENTHOOK, DWORD, HWND hwnd, LONG idObject, LONG, DWORD, DWORD) {
    if (idObject != OBJID_WINDOW || !hwnd) return;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != g_target.pid || GetAncestor(hwnd, GA_PARENT) != GetDesktopWindow()) return;
    g_target.candidates.push_back(hwnd);
    if (!g_target.createdAt && HasCaption(hwnd)) g_target.createdAt = Now();
}

bool Shown() {
    for (HWND hwnd : g_target.candidates)
        if (IsWindowVisible(hwnd) && HasCaption(hwnd)) return true;
    return false;
}

}  // namespace

ShowWatch::ShowWatch() {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the events need a queue
    hook_ = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, OnCreate, 0, 0,
                            WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

ShowWatch::~ShowWatch() {
    if (hook_) UnhookWinEvent(hook_);
}

void ShowWatch::Arm(DWORD pid, const wchar_t* caption) {
    g_target.pid = pid;
    g_target.caption = caption;
    g_target.candidates.clear();
    g_target.createdAt = 0;
}

long long ShowWatch::CreatedAt() const { return g_target.createdAt; }

long long ShowWatch::Wait(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (Shown()) return Now();
        if (GetTickCount() - start >= timeoutMs) return 0;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

}  // namespace kr2::bench
