#pragma once
// How each kind of control in the layout data becomes a native window.

#include <windows.h>

#include "layout.h"

namespace kr2 {

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
    bool takesFont;  // WM_SETFONT applies (the artwork controls draw no text)
};

ControlClass ClassOf(ControlKind kind);

// Makes a group box a real container for the controls created inside it:
// their notifications and colour requests reach the window. False if the
// platform refuses (then nothing a control in the frame does would reach
// the window).
bool MakeFrameContainer(HWND frame) noexcept;

}  // namespace kr2
