#pragma once
// The launcher's one font, MS Sans Serif 8.25 pt, in the two weights it uses:
// bold on the main window's buttons, regular everywhere else. Each weight is
// made once per DPI, when a window first needs it, and shared by every
// window at that DPI.

#include <windows.h>

#include <vector>

#include "owner.h"

namespace kr2 {

class Fonts {
public:
    // The font at `dpi`; throws RunTimeFailure if the platform refuses it.
    // It lives as long as this object.
    HFONT Get(UINT dpi, bool bold);

private:
    struct Made {
        UINT dpi;
        bool bold;
        FontOwner font;
    };
    std::vector<Made> made_;
};

}  // namespace kr2
