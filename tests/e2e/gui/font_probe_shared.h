#pragma once
// What the font probe hook and the driver agree on.

#include <windows.h>

#include <cwchar>

namespace kr2::gui {

inline constexpr wchar_t kFontQueryMessage[] = L"kr2_gui_font_query";

struct FontReply {
    BOOL hasFont;  // WM_GETFONT gave a handle (null: the system font)
    BOOL read;     // GetObject filled `font`
    LOGFONTW font;
};

// Names of the shared reply block and its event, per driver process.
inline const wchar_t* FontProbeName(wchar_t (&out)[64], const wchar_t* what, DWORD driverPid) {
    std::swprintf(out, 64, L"kr2_gui_font_%ls_%lu", what, static_cast<unsigned long>(driverPid));
    return out;
}

}  // namespace kr2::gui
