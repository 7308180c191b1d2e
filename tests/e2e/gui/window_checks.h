#pragma once
// Checks one open launcher window against its expected description: caption,
// border styles, client size, centring, and every control's text, kind,
// rectangle and font.

#include <windows.h>

#include "expected_windows.h"
#include "inside_probe.h"

namespace kr2::gui {

void CheckWindowLooks(HWND top, Win w, InsideProbe& inside);

// The window rectangle centred on the screen within one pixel.
bool IsCentred(HWND top);
void CheckCentred(HWND top, Win w, const char* when);

}  // namespace kr2::gui
