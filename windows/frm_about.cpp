// frmAbout: the credits, closed by its button or by a click on the icon.

#include <array>

#include "button_actions.h"
#include "window_descriptions.h"
#include "window_registry.h"

namespace kr2::frmAbout {

void Command1_Click(HandlerContext& ctx, WindowId own, int) { CloseOwnWindowAction(ctx, own); }

// The icon closes the window silently: no cue.
void Image1_Click(HandlerContext& ctx, WindowId own, int) { ctx.registry.Unload(own); }

namespace {

using K = ControlKind;
constexpr int kFrame1 = 0;  // index of Frame1 in the table below

// Tab order; the image has no tab index and follows its frame.
constexpr std::array<ControlSpec, 6> kRows{{
    {.name = "Frame1", .kind = K::Frame, .caption = L"Hollowmere: Kestrane II Launcher Credits",
     .left = 55, .top = 0, .width = 4335, .height = 1215, .tabIndex = 0},
    {.name = "Image1", .kind = K::Image, .caption = L"",
     .left = 120, .top = 240, .width = 480, .height = 480,
     .tabIndex = kNoTabIndex, .container = kFrame1, .onClick = &Image1_Click},
    {.name = "Label2", .kind = K::Label, .caption = L"Kip707",
     .left = 120, .top = 840, .width = 1695, .height = 255, .tabIndex = 1, .container = kFrame1},
    {.name = "Command1", .kind = K::CommandButton, .caption = L"Close",
     .left = 2880, .top = 1680, .width = 1455, .height = 375, .tabIndex = 2, .onClick = &Command1_Click},
    {.name = "Label1", .kind = K::Label, .caption = L"beta 1.0",
     .left = 120, .top = 1800, .width = 1215, .height = 255, .tabIndex = 3},
    {.name = "Label3", .kind = K::Label, .caption = L"USE THIS  PROGRAM AT YOUR OWN RISK",
     .left = 120, .top = 1320, .width = 3375, .height = 255, .tabIndex = 4},
}};
constexpr auto kControls = WithoutNames(kRows);
static_assert(kRows[kFrame1].kind == ControlKind::Frame);

constexpr WindowSpec kWindow{.id = WindowId::frmAbout,
                             .caption = L"About",
                             .border = BorderStyle::FixedToolWindow,
                             .clientWidth = 4440,
                             .clientHeight = 2115,
                             .controls = kControls};

}  // namespace

const WindowSpec& Description() { return kWindow; }
std::span<const ControlSpec> Rows() { return kRows; }

}  // namespace kr2::frmAbout
