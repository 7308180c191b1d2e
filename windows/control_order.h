#pragma once
// The order in which a window's controls are created. Portable: it only
// reads the layout data, so it is tested natively.

#include <span>
#include <vector>

#include "layout.h"

namespace kr2 {

// Control indices in tab order; the dialog manager tabs in creation order.
// A control without a tab index follows the control it comes after in the
// table (an image follows its frame). A frame always comes before the
// controls it contains, since they are created as its children.
std::vector<int> CreationOrder(std::span<const ControlSpec> controls);

// The control ids the window procedure sees: clear of IDOK (1) and
// IDCANCEL (2), which the dialog manager sends for Enter and Escape.
inline constexpr int kFirstControlId = 100;
constexpr int ControlId(int index) { return kFirstControlId + index; }
constexpr int ControlIndex(int id) { return id - kFirstControlId; }

}  // namespace kr2
