#pragma once
// Per-monitor DPI with the newer user32 functions looked up at run time, so
// the program still starts where they are missing.

#include <windows.h>

namespace kr2::dpi {

// Per-monitor v2 when the manifest has not already asked for it.
void EnablePerMonitorAwareness() noexcept;
// The DPI the window is drawn at (96 when nothing better is known).
UINT ForWindow(HWND hwnd) noexcept;
// The system DPI: what a new window on the primary monitor is expected to get.
UINT ForSystem() noexcept;
// The outer rectangle for a client rectangle at `dpi`.
BOOL AdjustRect(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) noexcept;
// A system metric (icon sizes) at `dpi`.
int SystemMetric(int index, UINT dpi) noexcept;
// Leaves every DPI change of the window, and of each control in it, to the
// launcher alone: the dialog manager's own scaling is turned off where the
// platform has it.
void KeepDialogScalingOff(HWND window) noexcept;
void KeepControlScalingOff(HWND control) noexcept;
// `value` at 96 DPI scaled to `dpi`.
inline int Scale(int value, UINT dpi) noexcept { return MulDiv(value, static_cast<int>(dpi), 96); }

}  // namespace kr2::dpi
