// Options: safe mode for either executable, and the way to the level window.

#include <array>

#include "button_actions.h"
#include "launch_catalogue.h"
#include "window_descriptions.h"
#include "window_registry.h"

namespace kr2::Options {
namespace {

constexpr const LaunchAction& kSafeSingle = LaunchCatalogue("SafeModeSingle");
constexpr const LaunchAction& kSafeMulti = LaunchCatalogue("SafeModeMulti");

}  // namespace

void Command1_Click(HandlerContext& ctx, WindowId own, int) { CloseOwnWindowAction(ctx, own); }
void Command2_Click(HandlerContext& ctx, WindowId own, int) { StartEntryAction(ctx, own, kSafeSingle); }
void Command3_Click(HandlerContext& ctx, WindowId own, int) { StartEntryAction(ctx, own, kSafeMulti); }

// The level window opens before this one goes, so the program never finds
// itself without a window in between.
void Command4_Click(HandlerContext& ctx, WindowId own, int) {
    ShowWindowAction(ctx, WindowId::spmaps);
    ctx.registry.Unload(own);
}

namespace {

using K = ControlKind;
constexpr int kFrame1 = 0;  // index of Frame1 in the table below

// Top to bottom; "SP Levels" is placed relative to Frame1.
constexpr std::array<ControlSpec, 5> kControls{{
    {"Frame1", K::Frame, L"Options", 120, 120, 5895, 975, 3, kInWindow, false, nullptr, 0},
    {"Command4", K::CommandButton, L"SP Levels", 120, 480, 1815, 375, 4, kFrame1, false,
     &Command4_Click, 0},
    {"Command2", K::CommandButton, L"KR2 SP (Safe Mode)", 120, 1320, 1935, 375, 1, kInWindow,
     false, &Command2_Click, 0},
    {"Command3", K::CommandButton, L"KR2 MP (Safe Mode)", 120, 1800, 1935, 375, 2, kInWindow,
     false, &Command3_Click, 0},
    {"Command1", K::CommandButton, L"&Close", 4440, 1800, 1575, 375, 0, kInWindow, false,
     &Command1_Click, 0},
}};
static_assert(kControls[kFrame1].kind == ControlKind::Frame);

constexpr WindowSpec kWindow{WindowId::Options, L"HM Options", BorderStyle::FixedToolWindow,
                             6105, 2265, kControls, nullptr};

}  // namespace

const WindowSpec& Description() { return kWindow; }

}  // namespace kr2::Options
