// Games: single player under one of five player profiles.

#include <array>

#include "button_actions.h"
#include "launch_catalogue.h"
#include "window_descriptions.h"

namespace kr2::Games {
namespace {

constexpr const LaunchAction& kPlayer1 = LaunchCatalogue("ProfileStart1");
constexpr const LaunchAction& kPlayer2 = LaunchCatalogue("ProfileStart2");
constexpr const LaunchAction& kPlayer3 = LaunchCatalogue("ProfileStart3");
constexpr const LaunchAction& kPlayer4 = LaunchCatalogue("ProfileStart4");
constexpr const LaunchAction& kPlayer5 = LaunchCatalogue("ProfileStart5");

}  // namespace

// Command3 is Close, so Players 3 to 5 sit on Command4 to Command6.
void Command1_Click(HandlerContext& ctx, WindowId own, int) { StartEntryAction(ctx, own, kPlayer1); }
void Command2_Click(HandlerContext& ctx, WindowId own, int) { StartEntryAction(ctx, own, kPlayer2); }
void Command3_Click(HandlerContext& ctx, WindowId own, int) { CloseOwnWindowAction(ctx, own); }
void Command4_Click(HandlerContext& ctx, WindowId own, int) { StartEntryAction(ctx, own, kPlayer3); }
void Command5_Click(HandlerContext& ctx, WindowId own, int) { StartEntryAction(ctx, own, kPlayer4); }
void Command6_Click(HandlerContext& ctx, WindowId own, int) { StartEntryAction(ctx, own, kPlayer5); }

namespace {

using K = ControlKind;

// Screen order, top to bottom; the tab order puts Close third.
constexpr std::array<ControlSpec, 6> kControls{{
    {"Command1", K::CommandButton, L"&Player 1", 120, 120, 2415, 375, 0, kInWindow, false,
     &Command1_Click, 0},
    {"Command2", K::CommandButton, L"&Player 2", 120, 480, 2415, 375, 1, kInWindow, false,
     &Command2_Click, 0},
    {"Command4", K::CommandButton, L"&Player 3", 120, 840, 2415, 375, 3, kInWindow, false,
     &Command4_Click, 0},
    {"Command5", K::CommandButton, L"&Player 4", 120, 1200, 2415, 375, 4, kInWindow, false,
     &Command5_Click, 0},
    {"Command6", K::CommandButton, L"&Player 5", 120, 1560, 2415, 375, 5, kInWindow, false,
     &Command6_Click, 0},
    {"Command3", K::CommandButton, L"&Close", 120, 2040, 2415, 375, 2, kInWindow, false,
     &Command3_Click, 0},
}};

constexpr WindowSpec kWindow{WindowId::Games, L"HM Games", BorderStyle::FixedToolWindow, 2655,
                             2550, kControls, nullptr};

}  // namespace

const WindowSpec& Description() { return kWindow; }

}  // namespace kr2::Games
