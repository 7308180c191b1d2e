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
constexpr std::array<ControlSpec, 6> kControls{{
    {"Frame1", K::Frame, L"Hollowmere: Kestrane II Launcher Credits", 55, 0, 4335, 1215, 0,
     kInWindow, false, nullptr, 0},
    {"Image1", K::Image, L"", 120, 240, 480, 480, kNoTabIndex, kFrame1, false, &Image1_Click, 0},
    {"Label2", K::Label, L"Kip707", 120, 840, 1695, 255, 1, kFrame1, false, nullptr, 0},
    {"Command1", K::CommandButton, L"Close", 2880, 1680, 1455, 375, 2, kInWindow, false,
     &Command1_Click, 0},
    {"Label1", K::Label, L"beta 1.0", 120, 1800, 1215, 255, 3, kInWindow, false, nullptr, 0},
    {"Label3", K::Label, L"USE THIS  PROGRAM AT YOUR OWN RISK", 120, 1320, 3375, 255, 4, kInWindow,
     false, nullptr, 0},
}};
static_assert(kControls[kFrame1].kind == ControlKind::Frame);

constexpr WindowSpec kWindow{WindowId::frmAbout, L"About", BorderStyle::FixedToolWindow, 4440,
                             2115, kControls, nullptr};

}  // namespace

const WindowSpec& Description() { return kWindow; }

}  // namespace kr2::frmAbout
