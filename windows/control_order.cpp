#include "control_order.h"

#include <numeric>
#include <utility>

namespace kr2 {

std::vector<int> CreationOrder(std::span<const ControlSpec> controls) {
    const int count = static_cast<int>(controls.size());

    // The sort key: the control's own tab index, or that of the control it
    // comes after in the table; ties put the control with its own index first.
    std::vector<int> key(count);
    int previous = -1;
    for (int i = 0; i < count; ++i) {
        key[i] = controls[i].tabIndex != kNoTabIndex ? controls[i].tabIndex : previous;
        previous = key[i];
    }
    auto before = [&](int a, int b) {
        if (key[a] != key[b]) return key[a] < key[b];
        const bool aOwn = controls[a].tabIndex != kNoTabIndex;
        const bool bOwn = controls[b].tabIndex != kNoTabIndex;
        return aOwn && !bOwn;
    };
    // Sorted by insertion, which keeps ties in table order as a stable sort
    // does: a window has a few controls, and std::stable_sort's merging
    // would add 2.5 KB to kr2_s1.exe.
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    for (int i = 1; i < count; ++i)
        for (int j = i; j > 0 && before(order[j], order[j - 1]); --j) std::swap(order[j], order[j - 1]);

    // A child listed before its frame waits until the frame is placed.
    std::vector<int> result;
    std::vector<bool> placed(count, false);
    result.reserve(count);
    auto place = [&](auto& self, int i) -> void {
        if (placed[i]) return;
        const int container = controls[i].container;
        if (container >= 0 && container < count && container != i) self(self, container);
        if (placed[i]) return;
        placed[i] = true;
        result.push_back(i);
    };
    for (int i : order) place(place, i);
    return result;
}

}  // namespace kr2
