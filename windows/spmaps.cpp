// spmaps: single player started directly in one of 26 levels.

#include <array>
#include <cstddef>

#include "button_actions.h"
#include "launch_catalogue.h"
#include "window_descriptions.h"

namespace kr2::spmaps {

// One handler for all 26 level buttons: the button's number is the level.
void LevelButton_Click(HandlerContext& ctx, WindowId own, int level) {
    StartEntryAction(ctx, own, LevelStart(level));
}

void Command27_Click(HandlerContext& ctx, WindowId own, int) { CloseOwnWindowAction(ctx, own); }

namespace {

constexpr int kLevels = 26;
constexpr int kPerColumn = 13;

// Level N is Command N; its caption names the level of LevelStartN.
constexpr std::array<std::wstring_view, kLevels> kLevelCaptions{
    L"Tovek Gate",      L"Tovek Keep",      L"Orlan Quarry",   L"Orlan Cells",
    L"Orlan Upper Deck", L"Gorge",          L"Sarneth Shrine", L"Sarneth Ordeal",
    L"ZR Alleys",       L"ZR Den",          L"ZR Skydock",     L"Caldor Lowtown",
    L"Caldor Alleys",   L"Caldor Spire",    L"Drumbar Harbor", L"Drumbar Foundry",
    L"Drumbar Core",    L"Drumbar Pier 1",  L"Heskel Relay",   L"Heskel Cells",
    L"Heskel Wards",    L"Sarneth Marsh",   L"Sarneth Ravine", L"Sarneth Plaza",
    L"Sarneth Summit",  L"Arena",
};

// "Command1" .. "Command27", kept in static storage for the table's names.
struct ControlName {
    char text[10]{};
    std::size_t size = 0;
};

constexpr std::array<ControlName, kLevels + 1> MakeNames() {
    std::array<ControlName, kLevels + 1> names{};
    for (int n = 1; n <= kLevels + 1; ++n) {
        ControlName& name = names[static_cast<std::size_t>(n - 1)];
        for (char c : std::string_view("Command")) name.text[name.size++] = c;
        if (n >= 10) name.text[name.size++] = static_cast<char>('0' + n / 10);
        name.text[name.size++] = static_cast<char>('0' + n % 10);
    }
    return names;
}
constexpr auto kNames = MakeNames();

constexpr std::string_view NameOf(int n) {
    const ControlName& name = kNames[static_cast<std::size_t>(n - 1)];
    return {name.text, name.size};
}

// Two columns of 13: tops step by 360 while buttons are 375 high, so
// neighbours in a column share one pixel row.
constexpr std::array<ControlSpec, kLevels + 1> MakeRows() {
    std::array<ControlSpec, kLevels + 1> controls{};
    for (int n = 1; n <= kLevels; ++n) {
        const int row = n <= kPerColumn ? n : n - kPerColumn;
        const int left = n <= kPerColumn ? 120 : 2280;
        const int top = 120 + 360 * (row - 1);
        controls[static_cast<std::size_t>(n - 1)] = {.name = NameOf(n),
                                                     .kind = ControlKind::CommandButton,
                                                     .caption = kLevelCaptions[static_cast<std::size_t>(n - 1)],
                                                     .left = static_cast<std::int16_t>(left),
                                                     .top = static_cast<std::int16_t>(top),
                                                     .width = 2055,
                                                     .height = 375,
                                                     .tabIndex = n - 1,
                                                     .onClick = &LevelButton_Click,
                                                     .arg = n};
    }
    controls[kLevels] = {.name = NameOf(kLevels + 1),
                         .kind = ControlKind::CommandButton,
                         .caption = L"&Close",
                         .left = 120,
                         .top = 4920,
                         .width = 4215,
                         .height = 375,
                         .tabIndex = kLevels,
                         .onClick = &Command27_Click};
    return controls;
}
constexpr auto kRows = MakeRows();
constexpr auto kControls = WithoutNames(kRows);

static_assert(kRows[12].left == 120 && kRows[12].top == 4440);   // Caldor Alleys
static_assert(kRows[13].left == 2280 && kRows[13].top == 120);   // Caldor Spire
static_assert(kRows[25].left == 2280 && kRows[25].top == 4440);  // Arena

constexpr WindowSpec kWindow{.id = WindowId::spmaps,
                             .caption = L"SP Levels",
                             .border = BorderStyle::FixedToolWindow,
                             .clientWidth = 4440,
                             .clientHeight = 5355,
                             .controls = kControls};

}  // namespace

const WindowSpec& Description() { return kWindow; }
std::span<const ControlSpec> Rows() { return kRows; }

}  // namespace kr2::spmaps
