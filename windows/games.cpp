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
constexpr std::array<ControlSpec, 6> kRows{{
    {.name = "Command1", .kind = K::CommandButton, .caption = L"&Player 1",
     .left = 120, .top = 120, .width = 2415, .height = 375, .tabIndex = 0, .onClick = &Command1_Click},
    {.name = "Command2", .kind = K::CommandButton, .caption = L"&Player 2",
     .left = 120, .top = 480, .width = 2415, .height = 375, .tabIndex = 1, .onClick = &Command2_Click},
    {.name = "Command4", .kind = K::CommandButton, .caption = L"&Player 3",
     .left = 120, .top = 840, .width = 2415, .height = 375, .tabIndex = 3, .onClick = &Command4_Click},
    {.name = "Command5", .kind = K::CommandButton, .caption = L"&Player 4",
     .left = 120, .top = 1200, .width = 2415, .height = 375, .tabIndex = 4, .onClick = &Command5_Click},
    {.name = "Command6", .kind = K::CommandButton, .caption = L"&Player 5",
     .left = 120, .top = 1560, .width = 2415, .height = 375, .tabIndex = 5, .onClick = &Command6_Click},
    {.name = "Command3", .kind = K::CommandButton, .caption = L"&Close",
     .left = 120, .top = 2040, .width = 2415, .height = 375, .tabIndex = 2, .onClick = &Command3_Click},
}};
constexpr auto kControls = WithoutNames(kRows);

constexpr WindowSpec kWindow{.id = WindowId::Games,
                             .caption = L"HM Games",
                             .border = BorderStyle::FixedToolWindow,
                             .clientWidth = 2655,
                             .clientHeight = 2550,
                             .controls = kControls};

}  // namespace

const WindowSpec& Description() { return kWindow; }
std::span<const ControlSpec> Rows() { return kRows; }

}  // namespace kr2::Games
