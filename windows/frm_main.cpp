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
constexpr std::array<ControlSpec, 8> kRows{{
    {.name = "Picture1", .kind = K::PictureBox, .caption = L"",
     .left = 50, .top = 50, .width = 4740, .height = 2895, .tabIndex = 5},
    {.name = "Command1", .kind = K::CommandButton, .caption = L"&Start Kestrane II Single Player",
     .left = 50, .top = 3000, .width = 4695, .height = 615,
     .tabIndex = 0, .bold = kBold, .onClick = &Command1_Click},
    {.name = "Command6", .kind = K::CommandButton, .caption = L"&Start Kestrane II Multiplayer",
     .left = 50, .top = 3600, .width = 4695, .height = 495,
     .tabIndex = 6, .bold = kBold, .onClick = &Command6_Click},
    {.name = "Command3", .kind = K::CommandButton, .caption = L"&Readme",
     .left = 50, .top = 4200, .width = 4695, .height = 375,
     .tabIndex = 2, .bold = kBold, .onClick = &Command3_Click},
    {.name = "Command7", .kind = K::CommandButton, .caption = L"&Options",
     .left = 50, .top = 4560, .width = 4695, .height = 375,
     .tabIndex = 7, .bold = kBold, .onClick = &Command7_Click},
    {.name = "Command5", .kind = K::CommandButton, .caption = L"&About",
     .left = 50, .top = 4920, .width = 4695, .height = 375,
     .tabIndex = 4, .bold = kBold, .onClick = &Command5_Click},
    {.name = "Command4", .kind = K::CommandButton, .caption = L"&Home Page",
     .left = 50, .top = 5280, .width = 4695, .height = 375,
     .tabIndex = 3, .bold = kBold, .onClick = &Command4_Click},
    {.name = "Command2", .kind = K::CommandButton, .caption = L"E&xit to Windows",
     .left = 50, .top = 5640, .width = 4695, .height = 375,
     .tabIndex = 1, .bold = kBold, .onClick = &Command2_Click},
}};
constexpr auto kControls = WithoutNames(kRows);

constexpr WindowSpec kWindow{.id = WindowId::frmMain,
                             .caption = L"Kestrane II Launcher",
                             .border = BorderStyle::FixedSingle,
                             .mainWindow = true,
                             .clientWidth = 4815,
                             .clientHeight = 6060,
                             .controls = kControls,
                             .onLoad = &Form_Load};

}  // namespace

const WindowSpec& Description() { return kWindow; }
std::span<const ControlSpec> Rows() { return kRows; }

}  // namespace kr2::frmMain
