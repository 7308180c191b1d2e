#pragma once
// What each kind of control in the layout data is on screen: the native
// class it is made of, and what the rest of the screen asks of the kind
// (which notifications are a click, whether it holds other controls, takes a
// font, shows an image). Creation, DPI changes and commands ask this, never
// the kind itself.

#include <windows.h>

#include <initializer_list>

#include "layout.h"

namespace kr2 {

// Where a control's image comes from, at the window's DPI.
enum class ImageSource { None, Picture, ProgramIcon };

// The set of notification codes (all below 32) as ControlClass::clicks.
constexpr DWORD Notifications(std::initializer_list<WORD> codes) {
    DWORD set = 0;
    for (WORD code : codes) set |= DWORD{1} << code;
    return set;
}

struct ControlClass {
    ControlKind kind;
    const wchar_t* name;
    DWORD style;
    DWORD exStyle = 0;
    // The WM_COMMAND notifications that are a click, one bit per code
    // (Notifications); with BS_NOTIFY the second press of a double click
    // comes as BN_DOUBLECLICKED, a press all the same.
    DWORD clicks = 0;
    bool pushButton = false;      // Enter presses it while it has the focus; Tab may lend it the default border
    bool holdsControls = false;   // a frame: the controls inside it are its children
    bool takesFont = false;       // WM_SETFONT applies (the artwork controls draw no text)
    ImageSource image = ImageSource::None;

    bool IsClick(WORD code) const noexcept { return code < 32 && (clicks >> code & 1u) != 0; }
};

const ControlClass& ClassOf(ControlKind kind) noexcept;

// Makes a group box a real container for the controls created inside it:
// their notifications and colour requests reach the window. False if the
// platform refuses (then nothing a control in the frame does would reach
// the window).
bool MakeFrameContainer(HWND frame) noexcept;

}  // namespace kr2
