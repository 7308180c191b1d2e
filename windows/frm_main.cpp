// frmMain: the start-up window, a picture above a column of seven bold buttons.

#include <array>

#include "button_actions.h"
#include "launch_catalogue.h"
#include "window_descriptions.h"

namespace kr2::frmMain {
namespace {

constexpr const LaunchAction& kMultiplayer = LaunchCatalogue("MultiplayerStart");
constexpr const LaunchAction& kReadme = LaunchCatalogue("ReadmeOpen");
constexpr const LaunchAction& kHomePage = LaunchCatalogue("HomePageOpen");

}  // namespace

// The "open" cue plays while the window is still hidden.
void Form_Load(HandlerContext& ctx) { PlayCue(SoundCue::Open, ctx.sound); }

void Command1_Click(HandlerContext& ctx, WindowId, int) { ShowWindowAction(ctx, WindowId::Games); }
void Command2_Click(HandlerContext& ctx, WindowId, int) { ExitAction(ctx); }
void Command3_Click(HandlerContext& ctx, WindowId own, int) { StartEntryAction(ctx, own, kReadme); }
void Command4_Click(HandlerContext& ctx, WindowId own, int) { StartEntryAction(ctx, own, kHomePage); }
void Command5_Click(HandlerContext& ctx, WindowId, int) { ShowWindowAction(ctx, WindowId::frmAbout); }
void Command6_Click(HandlerContext& ctx, WindowId own, int) { StartEntryAction(ctx, own, kMultiplayer); }
void Command7_Click(HandlerContext& ctx, WindowId, int) { ShowWindowAction(ctx, WindowId::Options); }

namespace {

using K = ControlKind;
constexpr bool kBold = true;

// Screen order, top to bottom. The picture box takes part in the tab order.
constexpr std::array<ControlSpec, 8> kControls{{
    {"Picture1", K::PictureBox, L"", 50, 50, 4740, 2895, 5, kInWindow, false, nullptr, 0},
    {"Command1", K::CommandButton, L"&Start Kestrane II Single Player", 50, 3000, 4695, 615, 0,
     kInWindow, kBold, &Command1_Click, 0},
    {"Command6", K::CommandButton, L"&Start Kestrane II Multiplayer", 50, 3600, 4695, 495, 6,
     kInWindow, kBold, &Command6_Click, 0},
    {"Command3", K::CommandButton, L"&Readme", 50, 4200, 4695, 375, 2, kInWindow, kBold,
     &Command3_Click, 0},
    {"Command7", K::CommandButton, L"&Options", 50, 4560, 4695, 375, 7, kInWindow, kBold,
     &Command7_Click, 0},
    {"Command5", K::CommandButton, L"&About", 50, 4920, 4695, 375, 4, kInWindow, kBold,
     &Command5_Click, 0},
    {"Command4", K::CommandButton, L"&Home Page", 50, 5280, 4695, 375, 3, kInWindow, kBold,
     &Command4_Click, 0},
    {"Command2", K::CommandButton, L"E&xit to Windows", 50, 5640, 4695, 375, 1, kInWindow, kBold,
     &Command2_Click, 0},
}};

constexpr WindowSpec kWindow{WindowId::frmMain, L"Kestrane II Launcher", BorderStyle::FixedSingle,
                             4815, 6060, kControls, &Form_Load};

}  // namespace

const WindowSpec& Description() { return kWindow; }

}  // namespace kr2::frmMain
