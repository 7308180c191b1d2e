// The order in which the native screen creates controls: the dialog manager
// tabs in creation order, and a frame's children need their frame first.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control_order.h"
#include "window_registry.h"

namespace kr2 {
namespace {

std::vector<std::string> Names(std::span<const ControlSpec> controls, const std::vector<int>& order) {
    std::vector<std::string> names;
    for (int i : order) names.emplace_back(controls[static_cast<std::size_t>(i)].name);
    return names;
}

ControlSpec Make(std::string_view name, ControlKind kind, int tabIndex, int container = kInWindow) {
    return {name, kind, L"", 0, 0, 10, 10, tabIndex, container, false, nullptr, 0};
}

TEST(CreationOrder, FollowsTabIndexNotTableOrder) {
    const auto controls = ControlRowsOf(WindowId::frmMain);
    EXPECT_EQ(Names(controls, CreationOrder(controls)),
              (std::vector<std::string>{"Command1", "Command2", "Command3", "Command4", "Command5",
                                        "Picture1", "Command6", "Command7"}));

    const auto games = ControlRowsOf(WindowId::Games);
    EXPECT_EQ(Names(games, CreationOrder(games)),
              (std::vector<std::string>{"Command1", "Command2", "Command3", "Command4", "Command5",
                                        "Command6"}));
}

TEST(CreationOrder, FrameComesBeforeItsChildAndTheImageFollowsItsFrame) {
    const auto options = ControlRowsOf(WindowId::Options);
    EXPECT_EQ(Names(options, CreationOrder(options)),
              (std::vector<std::string>{"Command1", "Command2", "Command3", "Frame1", "Command4"}));

    const auto about = ControlRowsOf(WindowId::frmAbout);
    EXPECT_EQ(Names(about, CreationOrder(about)),
              (std::vector<std::string>{"Frame1", "Image1", "Label2", "Command1", "Label1", "Label3"}));
}

TEST(CreationOrder, EveryControlOfEveryWindowExactlyOnceAfterItsContainer) {
    for (WindowId id : kAllWindows) {
        const auto controls = ControlRowsOf(id);
        const std::vector<int> order = CreationOrder(controls);
        std::vector<int> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        std::vector<int> all(controls.size());
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
        EXPECT_EQ(sorted, all) << WindowName(id);
        for (std::size_t pos = 0; pos < order.size(); ++pos) {
            const int container = controls[static_cast<std::size_t>(order[pos])].container;
            if (container == kInWindow) continue;
            const auto at = std::find(order.begin(), order.end(), container) - order.begin();
            EXPECT_LT(static_cast<std::size_t>(at), pos) << WindowName(id) << " control " << order[pos];
        }
    }
}

TEST(CreationOrder, AChildWithALowerTabIndexStillWaitsForItsFrame) {
    const std::vector<ControlSpec> controls{
        Make("Button", ControlKind::CommandButton, 0, 2),
        Make("Label", ControlKind::Label, 2),
        Make("Frame", ControlKind::Frame, 1),
    };
    EXPECT_EQ(Names(controls, CreationOrder(controls)),
              (std::vector<std::string>{"Frame", "Button", "Label"}));
}

TEST(CreationOrder, ControlWithoutTabIndexAtTheTopOfTheTableComesFirst) {
    const std::vector<ControlSpec> controls{
        Make("Image", ControlKind::Image, kNoTabIndex),
        Make("Second", ControlKind::CommandButton, 1),
        Make("First", ControlKind::CommandButton, 0),
    };
    EXPECT_EQ(Names(controls, CreationOrder(controls)),
              (std::vector<std::string>{"Image", "First", "Second"}));
}

// An image takes the key of the control before it; another control with
// that same tab index still goes before the image.
TEST(CreationOrder, OnATiedKeyTheControlWithItsOwnTabIndexGoesFirst) {
    const std::vector<ControlSpec> controls{
        Make("Frame", ControlKind::Frame, 0),
        Make("Image", ControlKind::Image, kNoTabIndex),
        Make("Button", ControlKind::CommandButton, 0),
    };
    EXPECT_EQ(Names(controls, CreationOrder(controls)),
              (std::vector<std::string>{"Frame", "Button", "Image"}));
}

TEST(ControlIds, StayClearOfTheDialogManagersOkAndCancel) {
    EXPECT_GT(ControlId(0), 2);
    EXPECT_EQ(ControlIndex(ControlId(26)), 26);
}

}  // namespace
}  // namespace kr2
