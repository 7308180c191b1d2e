#pragma once
// Looks at the launcher's real windows from outside: found by process id,
// then by caption; controls found by their text.

#include <windows.h>

#include <string>
#include <vector>

#include "expected_windows.h"

namespace kr2::e2e {

// The visible top-level windows of a process with exactly this caption.
std::vector<HWND> TopLevelWindows(DWORD pid, std::wstring_view caption);
// Every visible top-level window of a process.
std::vector<HWND> AllTopLevelWindows(DWORD pid);

// A control's text (WM_GETTEXT) and a top-level window's caption (no message).
std::wstring TextOf(HWND hwnd);
std::wstring CaptionOf(HWND hwnd);
std::wstring ClassOf(HWND hwnd);

// Every descendant control of a window (frames' children included).
std::vector<HWND> Descendants(HWND top);

// The control of `top` that shows expected control `index`: found by its text,
// or for a picture or image as the one visible control without text.
HWND FindControl(HWND top, const ExpectedWindow& w, int index);

// Screen rectangle of the window's client area.
RECT ClientOnScreen(HWND hwnd);

// The keyboard focus and active window of the thread that owns `hwnd`.
HWND FocusOf(HWND anyWindowOfThread);
HWND ActiveOf(HWND anyWindowOfThread);

// Polls `probe` every 10 ms until it returns true or `timeoutMs` passes.
template <class F>
bool WaitFor(F probe, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (probe()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(10);
    }
}

// Waits for exactly one visible window of `pid` with the caption; nullptr on timeout.
HWND WaitForWindow(DWORD pid, std::wstring_view caption, DWORD timeoutMs = 5000);
// Waits until no visible window of `pid` has the caption.
bool WaitForNoWindow(DWORD pid, std::wstring_view caption, DWORD timeoutMs = 5000);

}  // namespace kr2::e2e
