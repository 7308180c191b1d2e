#pragma once
// Opens and closes the launcher's windows as fast as it answers: posted
// clicks and close requests, and polling with a short sleep for each window
// to come or go. No cue files are laid out, so no press waits for a sound.

#include <windows.h>

#include <string>

#include "launcher_run.h"

namespace kr2::e2e {

// The ways a player closes a secondary window.
enum class CloseWay { Button, WmClose, SysCommandClose, IconClick };

std::string Describe(CloseWay way);

class SoakDriver {
public:
    SoakDriver(const e2e::LauncherRun& run, HWND main);

    // Through the main window's buttons (the level window through the
    // options window, which closes on the way); nullptr after a failed check.
    HWND Open(WindowId w);
    // Closes `top` and waits until it is destroyed; false after a failed check.
    bool Close(HWND top, WindowId w, CloseWay way);

private:
    HWND MainButton(std::wstring_view caption) const;
    HWND WaitOpen(WindowId w) const;

    DWORD pid_;
    HWND main_;
};

// Polls every millisecond; true once `probe` holds.
template <class F>
bool PollFor(F probe, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (probe()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(1);
    }
}

}  // namespace kr2::e2e
