#pragma once
// Checks one open launcher window against its expected description at the
// bench's 96 DPI: caption, border styles, client size, centring, and every
// control's text, kind, rectangle and font.

#include <windows.h>

#include <string>

#include "expected_windows.h"
#include "inside_probe.h"

namespace kr2::e2e {

void CheckWindowLooks(HWND top, WindowId w, InsideProbe& inside);

// A caption as the player reads it, measured inside the launcher with the
// control's own font: drawn in MS Sans Serif itself (not a substitute face),
// on one line inside the control, and bold where it is asked to be (wider
// and darker than the regular weight of the same face and size). Prints the
// control's row of the caption-fit table.
void CheckCaptionDrawn(HWND control, const ExpectedControl& want, const ProbeReply& seen,
                       const std::string& name, int dpi);

// Control `index`'s rectangle relative to its container (the client area,
// or the frame that holds it); empty when it or its frame is missing.
RECT RectInContainer(HWND top, const ExpectedWindow& w, int index);

// The window rectangle centred on the screen within one pixel.
bool IsCentred(HWND top);
void CheckCentred(HWND top, WindowId w, const char* when);

}  // namespace kr2::e2e
