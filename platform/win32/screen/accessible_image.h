#pragma once
// What a screen reader hears for a control that shows a picture: the
// platform's standard object for the window, with the control's own name and
// the graphic role.

#include <windows.h>

namespace kr2 {

// The answer to WM_GETOBJECT for `hwnd`: for the client object, a new
// accessible object named `name`; otherwise (and if the accessibility
// library is missing) what DefWindowProc gives. The library is loaded from
// the system directory on the first request, so start-up never pays for it.
LRESULT AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, const wchar_t* name) noexcept;

}  // namespace kr2
