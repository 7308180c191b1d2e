#pragma once
// Real key presses and mouse clicks through the system input queue: keys go
// to whatever window is in the foreground, clicks to whatever is under the
// pointer, as a player's would.

#include <windows.h>

namespace kr2::e2e {

// Waits until `hwnd` is the foreground window; false on timeout.
bool WaitForeground(HWND hwnd, DWORD timeoutMs = 3000);

void PressKey(WORD vk);
// `vk` held down for `ms`, repeating every 33 ms as a keyboard does, then let go.
void HoldKey(WORD vk, DWORD ms);
// Alt held while `vk` is pressed (access keys).
void PressAltKey(WORD vk);

// The pointer moved to `at` (screen pixels), the way a click puts it there.
void MovePointer(POINT at);

// The left button pressed at `down` and released at `up` (screen pixels):
// a click where both are the same point, a press taken back where they are not.
// The pointer is put at `down` first, and the press waits until Wine has
// reported the place the pointer left (key_input.cpp, PlacePointer).
void MouseClick(POINT down, POINT up);
inline void MouseClick(POINT at) { MouseClick(at, at); }
// Two clicks at `at` 60 ms apart, well inside the system's double-click time.
void MouseDoubleClick(POINT at);
// The centre of a window's client area on the screen, where a click aims.
POINT CentreOf(HWND hwnd);
// The centre of a top-level window's close box on the screen, as the window
// itself reports it (WM_NCHITTEST); {-1, -1} when it has none.
POINT CloseBoxOf(HWND top);

}  // namespace kr2::e2e
