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

// A figure of the design table against the pixels seen at `dpi`: exact at
// 96 DPI, within a pixel of the exact figure elsewhere. Twips() gives the
// exact figure for a message: "481.5".
bool Near(int pixels, int twips, int dpi);
std::string Twips(int twips, int dpi);

// Control `index`'s rectangle in its container, and its font (face, weight,
// 8.25 points, no italic, underline or strike-out, character set 0, the
// caption drawn), at `dpi`.
void CheckRect(HWND top, const ExpectedWindow& w, int index, const std::string& name, int dpi);
void CheckFont(HWND control, const ExpectedControl& want, InsideProbe& inside, const std::string& name, int dpi);

// Control `index`'s rectangle relative to its container (the client area,
// or the frame that holds it); empty when it or its frame is missing.
RECT RectInContainer(HWND top, const ExpectedWindow& w, int index);

// The window rectangle centred on the screen within one pixel.
bool IsCentred(HWND top);
void CheckCentred(HWND top, WindowId w, const char* when);

}  // namespace kr2::e2e
