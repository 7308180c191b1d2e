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
constexpr std::array<ControlSpec, 5> kRows{{
    {.name = "Frame1", .kind = K::Frame, .caption = L"Options",
     .left = 120, .top = 120, .width = 5895, .height = 975, .tabIndex = 3},
    {.name = "Command4", .kind = K::CommandButton, .caption = L"SP Levels",
     .left = 120, .top = 480, .width = 1815, .height = 375,
     .tabIndex = 4, .container = kFrame1, .onClick = &Command4_Click},
    {.name = "Command2", .kind = K::CommandButton, .caption = L"KR2 SP (Safe Mode)",
     .left = 120, .top = 1320, .width = 1935, .height = 375, .tabIndex = 1, .onClick = &Command2_Click},
    {.name = "Command3", .kind = K::CommandButton, .caption = L"KR2 MP (Safe Mode)",
     .left = 120, .top = 1800, .width = 1935, .height = 375, .tabIndex = 2, .onClick = &Command3_Click},
    {.name = "Command1", .kind = K::CommandButton, .caption = L"&Close",
     .left = 4440, .top = 1800, .width = 1575, .height = 375, .tabIndex = 0, .onClick = &Command1_Click},
}};
constexpr auto kControls = WithoutNames(kRows);
static_assert(kRows[kFrame1].kind == ControlKind::Frame);

constexpr WindowSpec kWindow{.id = WindowId::Options,
                             .caption = L"HM Options",
                             .border = BorderStyle::FixedToolWindow,
                             .clientWidth = 6105,
                             .clientHeight = 2265,
                             .controls = kControls};

}  // namespace

const WindowSpec& Description() { return kWindow; }
std::span<const ControlSpec> Rows() { return kRows; }

}  // namespace kr2::Options
