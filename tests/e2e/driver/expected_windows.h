#pragma once
// The launcher's windows as the driver looks for them: the design table
// (tests/design/expected_layout.h), whose figures are twips. Controls are
// found by caption and told apart by their index in a window's list.

#include <string>
#include <string_view>
#include <vector>

#include "expected_layout.h"

namespace kr2::e2e {

using design::Kind;
using ExpectedControl = design::Control;
using ExpectedWindow = design::Window;

inline const ExpectedWindow& Expected(WindowId w) { return design::Layout(w); }

// "frmMain", ... for messages.
inline std::string Name(WindowId w) { return std::string(WindowName(w)); }

// Index of the control with this caption in the window's list, or -1.
inline int ControlIndex(const ExpectedWindow& w, std::wstring_view caption) {
    for (std::size_t i = 0; i < w.controls.size(); ++i)
        if (w.controls[i].caption == caption) return static_cast<int>(i);
    return -1;
}

// The controls that take the focus, buttons and the picture, as indexes in
// tab index order: the cycle Tab walks, starting at the control a window
// focuses when it opens. Frames, labels and the image take none.
inline std::vector<int> TabCycle(const ExpectedWindow& w) {
    std::vector<int> cycle;
    int last = -1;
    for (;;) {
        int next = -1;
        for (std::size_t i = 0; i < w.controls.size(); ++i) {
            const ExpectedControl& c = w.controls[i];
            const bool focusable = c.kind == Kind::Button || c.kind == Kind::Picture;
            if (focusable && c.tabIndex > last && (next < 0 || c.tabIndex < w.controls[static_cast<std::size_t>(next)].tabIndex))
                next = static_cast<int>(i);
        }
        if (next < 0) return cycle;
        cycle.push_back(next);
        last = w.controls[static_cast<std::size_t>(next)].tabIndex;
    }
}

// Where the control at `index` stands in the tab cycle: the Tabs it takes
// from the first control; -1 for a control outside it.
inline int CyclePosition(const ExpectedWindow& w, int index) {
    const std::vector<int> cycle = TabCycle(w);
    for (std::size_t i = 0; i < cycle.size(); ++i)
        if (cycle[i] == index) return static_cast<int>(i);
    return -1;
}

// The control after the one at `index` in the tab cycle; -1 for a control
// outside it.
inline int NextInTabCycle(const ExpectedWindow& w, int index) {
    const std::vector<int> cycle = TabCycle(w);
    const int at = CyclePosition(w, index);
    return at < 0 ? -1 : cycle[static_cast<std::size_t>(at + 1) % cycle.size()];
}

// A figure of the table in pixels at the bench's 96 DPI.
inline int At96(int twips) { return design::Pixels(twips, 96); }

}  // namespace kr2::e2e
