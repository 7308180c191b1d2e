#pragma once
// Real key presses through the system input queue: they go to whatever
// window is in the foreground, as a player's keys would.

#include <windows.h>

namespace kr2::gui {

// Waits until `hwnd` is the foreground window; false on timeout.
bool WaitForeground(HWND hwnd, DWORD timeoutMs = 3000);

void PressKey(WORD vk);
// Alt held while `vk` is pressed (access keys).
void PressAltKey(WORD vk);

}  // namespace kr2::gui
