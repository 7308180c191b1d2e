#pragma once
// The five windows' sizes in twips, as designed: the base for checking the
// layout at any DPI. Controls are listed in the order of the GUI suite's
// pixel tables (expected_windows.h), whose captions, kinds and frames apply.

#include <vector>

#include "expected_windows.h"

namespace kr2::stress {

struct TwipRect {
    int left, top, width, height;  // relative to the container, as in the pixel tables
};

struct WindowTwips {
    int clientWidth, clientHeight;
    std::vector<TwipRect> controls;
};

const WindowTwips& TwipsOf(gui::Win w);

}  // namespace kr2::stress
