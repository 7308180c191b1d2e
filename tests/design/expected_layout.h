#pragma once
// The launcher's windows as designed, in twips (1440 to the inch), written
// once for every test that checks a layout: the unit tests hold the window
// descriptions against it at 96 DPI, the GUI tests the real windows at 96 DPI
// and the stress tests the real windows at 120 and 144 DPI. Each converts
// with Pixels() below, never with the launcher's own conversion, so a wrong
// conversion there is caught too. Written independently of the launcher's
// tables. Portable and header-only: the native unit tests and the
// cross-built end-to-end tests include it alike.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "window_id.h"

namespace kr2::design {

enum class Kind { Button, Frame, Label, Picture, Image };

inline constexpr int kInWindow = -1;    // container: placed relative to the client area
inline constexpr int kNoTabIndex = -1;  // the image takes no part in the tab order

struct Control {
    std::string_view name;         // its name in the window's description: "Command1", ...
    Kind kind;
    std::wstring_view caption;     // as the window shows it, "&" included; empty for the artwork
    int left, top, width, height;  // twips, relative to the container
    int container;                 // index of the frame in the same list, or kInWindow
    bool bold;
    int tabIndex;                  // kNoTabIndex for the image
};

// How a player opens a window: a press on the control of that name in the
// window `from` (the main window opens at start-up: no control), which
// closes `from` on the way where `closesFrom`.
struct Way {
    WindowId from;
    std::string_view control;
    bool closesFrom = false;
};

struct Window {
    WindowId id;
    std::wstring_view caption;
    bool toolWindow;                // every window but the main one
    int clientWidth, clientHeight;  // twips
    std::span<const Control> controls;
    Way openedBy;
    // The button that closes it after the back cue; the main window has none
    // ("E&xit to Windows" ends the program).
    std::string_view closedBy;
    // A control that closes it at once, without a cue.
    std::string_view closedSilentlyBy = {};
};

// Twips to pixels at `dpi`, rounded to the nearest pixel (a half rounds up);
// every figure in the table is positive.
constexpr int Pixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

namespace table {

// Seven bold buttons under the picture; the tab order is not the screen order.
inline constexpr Control kMain[] = {
    {"Picture1", Kind::Picture, L"", 50, 50, 4740, 2895, kInWindow, false, 5},
    {"Command1", Kind::Button, L"&Start Kestrane II Single Player", 50, 3000, 4695, 615, kInWindow, true, 0},
    {"Command6", Kind::Button, L"&Start Kestrane II Multiplayer", 50, 3600, 4695, 495, kInWindow, true, 6},
    {"Command3", Kind::Button, L"&Readme", 50, 4200, 4695, 375, kInWindow, true, 2},
    {"Command7", Kind::Button, L"&Options", 50, 4560, 4695, 375, kInWindow, true, 7},
    {"Command5", Kind::Button, L"&About", 50, 4920, 4695, 375, kInWindow, true, 4},
    {"Command4", Kind::Button, L"&Home Page", 50, 5280, 4695, 375, kInWindow, true, 3},
    {"Command2", Kind::Button, L"E&xit to Windows", 50, 5640, 4695, 375, kInWindow, true, 1},
};

// Player 3 to 5 come after Close in the tab order.
inline constexpr Control kGames[] = {
    {"Command1", Kind::Button, L"&Player 1", 120, 120, 2415, 375, kInWindow, false, 0},
    {"Command2", Kind::Button, L"&Player 2", 120, 480, 2415, 375, kInWindow, false, 1},
    {"Command4", Kind::Button, L"&Player 3", 120, 840, 2415, 375, kInWindow, false, 3},
    {"Command5", Kind::Button, L"&Player 4", 120, 1200, 2415, 375, kInWindow, false, 4},
    {"Command6", Kind::Button, L"&Player 5", 120, 1560, 2415, 375, kInWindow, false, 5},
    {"Command3", Kind::Button, L"&Close", 120, 2040, 2415, 375, kInWindow, false, 2},
};

// SP Levels sits inside the frame.
inline constexpr Control kOptions[] = {
    {"Frame1", Kind::Frame, L"Options", 120, 120, 5895, 975, kInWindow, false, 3},
    {"Command4", Kind::Button, L"SP Levels", 120, 480, 1815, 375, 0, false, 4},
    {"Command2", Kind::Button, L"KR2 SP (Safe Mode)", 120, 1320, 1935, 375, kInWindow, false, 1},
    {"Command3", Kind::Button, L"KR2 MP (Safe Mode)", 120, 1800, 1935, 375, kInWindow, false, 2},
    {"Command1", Kind::Button, L"&Close", 4440, 1800, 1575, 375, kInWindow, false, 0},
};

inline constexpr std::array<std::wstring_view, 26> kLevelCaptions{
    L"Tovek Gate",       L"Tovek Keep",     L"Orlan Quarry",   L"Orlan Cells",
    L"Orlan Upper Deck", L"Gorge",          L"Sarneth Shrine", L"Sarneth Ordeal",
    L"ZR Alleys",        L"ZR Den",         L"ZR Skydock",     L"Caldor Lowtown",
    L"Caldor Alleys",    L"Caldor Spire",   L"Drumbar Harbor", L"Drumbar Foundry",
    L"Drumbar Core",     L"Drumbar Pier 1", L"Heskel Relay",   L"Heskel Cells",
    L"Heskel Wards",     L"Sarneth Marsh",  L"Sarneth Ravine", L"Sarneth Plaza",
    L"Sarneth Summit",   L"Arena"};

inline constexpr std::array<std::string_view, 27> kLevelNames{
    "Command1",  "Command2",  "Command3",  "Command4",  "Command5",  "Command6",  "Command7",
    "Command8",  "Command9",  "Command10", "Command11", "Command12", "Command13", "Command14",
    "Command15", "Command16", "Command17", "Command18", "Command19", "Command20", "Command21",
    "Command22", "Command23", "Command24", "Command25", "Command26", "Command27"};

// Two columns of 13 rows, 360 twips apart while 375 high, so that neighbours
// share an edge; Close spans both columns. Tab order is table order.
constexpr std::array<Control, 27> MakeLevels() {
    std::array<Control, 27> c{};
    for (int i = 0; i < 26; ++i) {
        const auto at = static_cast<std::size_t>(i);
        c[at] = {kLevelNames[at], Kind::Button, kLevelCaptions[at], i < 13 ? 120 : 2280, 120 + 360 * (i % 13),
                 2055, 375, kInWindow, false, i};
    }
    c[26] = {kLevelNames[26], Kind::Button, L"&Close", 120, 4920, 4215, 375, kInWindow, false, 26};
    return c;
}
inline constexpr std::array<Control, 27> kLevels = MakeLevels();

// Only Close can hold the focus; the icon and the credit sit inside the frame.
inline constexpr Control kAbout[] = {
    {"Frame1", Kind::Frame, L"Hollowmere: Kestrane II Launcher Credits", 55, 0, 4335, 1215, kInWindow, false, 0},
    {"Image1", Kind::Image, L"", 120, 240, 480, 480, 0, false, kNoTabIndex},
    {"Label2", Kind::Label, L"Kip707", 120, 840, 1695, 255, 0, false, 1},
    {"Command1", Kind::Button, L"Close", 2880, 1680, 1455, 375, kInWindow, false, 2},
    {"Label1", Kind::Label, L"beta 1.0", 120, 1800, 1215, 255, kInWindow, false, 3},
    {"Label3", Kind::Label, L"USE THIS  PROGRAM AT YOUR OWN RISK", 120, 1320, 3375, 255, kInWindow, false, 4},
};

}  // namespace table

// One entry per window, in kAllWindows' order: a window added there without
// its entry here fails to compile.
inline constexpr std::array<Window, kWindowCount> kWindows{{
    {WindowId::frmMain, L"Kestrane II Launcher", false, 4815, 6060, table::kMain, {WindowId::frmMain, {}}, {}},
    {WindowId::Games, L"HM Games", true, 2655, 2550, table::kGames, {WindowId::frmMain, "Command1"}, "Command3"},
    {WindowId::Options, L"HM Options", true, 6105, 2265, table::kOptions, {WindowId::frmMain, "Command7"}, "Command1"},
    {WindowId::spmaps, L"SP Levels", true, 4440, 5355, table::kLevels, {WindowId::Options, "Command4", true}, "Command27"},
    {WindowId::frmAbout, L"About", true, 4440, 2115, table::kAbout, {WindowId::frmMain, "Command5"}, "Command1", "Image1"},
}};

constexpr bool EveryWindowHasItsEntry() {
    for (std::size_t i = 0; i < kWindowCount; ++i)
        if (kWindows[i].id != kAllWindows[i] || kWindows[i].controls.empty()) return false;
    return true;
}
static_assert(EveryWindowHasItsEntry(), "kWindows holds one entry per window of KR2_WINDOWS, in its order");

constexpr const Window& Layout(WindowId id) { return kWindows[Index(id)]; }

// The control of that name in window `id`.
constexpr const Control& ControlNamed(WindowId id, std::string_view name) {
    for (const Control& c : Layout(id).controls)
        if (c.name == name) return c;
    throw "no such control";  // a compile error in constant evaluation
}

// The caption of the control that opens `id`, in the window it is opened
// from; empty for the main window.
constexpr std::wstring_view OpenerCaption(WindowId id) {
    const Way way = Layout(id).openedBy;
    return way.control.empty() ? std::wstring_view{} : ControlNamed(way.from, way.control).caption;
}

constexpr bool EveryWayLeadsFromTheMainWindow() {
    for (WindowId id : kAllWindows) {
        WindowId at = id;
        for (std::size_t steps = 0; at != WindowId::frmMain; ++steps) {
            if (steps == kWindowCount || Layout(at).openedBy.control.empty()) return false;
            ControlNamed(Layout(at).openedBy.from, Layout(at).openedBy.control);
            at = Layout(at).openedBy.from;
        }
    }
    return true;
}
static_assert(EveryWayLeadsFromTheMainWindow(), "every window is reached from the main window by named controls");

// The caption of the button that closes `id`.
constexpr std::wstring_view CloserCaption(WindowId id) { return ControlNamed(id, Layout(id).closedBy).caption; }

constexpr bool EverySecondaryWindowHasACloser() {
    for (const Window& w : kWindows)
        if (w.closedBy.empty() != (w.id == WindowId::frmMain) || (!w.closedBy.empty() && CloserCaption(w.id).empty()))
            return false;
    return true;
}
static_assert(EverySecondaryWindowHasACloser(), "every window but the main one names its Close button");

// Every window but the main one, in kAllWindows' order: the windows the main
// window's buttons lead to.
inline constexpr std::array<WindowId, kWindowCount - 1> kSecondaryWindows = [] {
    std::array<WindowId, kWindowCount - 1> out{};
    std::size_t n = 0;
    for (WindowId id : kAllWindows)
        if (id != WindowId::frmMain) out[n++] = id;
    return out;
}();

// The table's own rules at 96 DPI, held as it compiles, so that an edit of
// one figure that breaks the pattern it belongs to cannot pass.
namespace rules {

struct Rect {
    int left, top, width, height;
    constexpr int Bottom() const { return top + height; }
    constexpr bool operator==(const Rect&) const = default;
};
constexpr Rect At96(WindowId w, std::string_view name) {
    const Control& c = ControlNamed(w, name);
    return {Pixels(c.left, 96), Pixels(c.top, 96), Pixels(c.width, 96), Pixels(c.height, 96)};
}

// The main window's buttons overlap their neighbours by one pixel, but for a
// gap of 7 that sets the two start buttons apart from the rest.
constexpr bool MainButtonsStack() {
    constexpr std::string_view order[] = {"Command1", "Command6", "Command3", "Command7",
                                          "Command5", "Command4", "Command2"};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        if (At96(WindowId::frmMain, order[i + 1]).top - At96(WindowId::frmMain, order[i]).Bottom() != (i == 1 ? 7 : -1))
            return false;
    return true;
}
static_assert(MainButtonsStack());

// Players 1 to 5 stack with a pixel's overlap; Close lines up with them, apart below.
constexpr bool PlayersStack() {
    constexpr std::string_view players[] = {"Command1", "Command2", "Command4", "Command5", "Command6"};
    const Rect first = At96(WindowId::Games, players[0]), close = At96(WindowId::Games, "Command3");
    for (std::size_t i = 1; i < std::size(players); ++i)
        if (At96(WindowId::Games, players[i]) !=
            Rect{first.left, At96(WindowId::Games, players[i - 1]).Bottom() - 1, first.width, first.height})
            return false;
    return close.left == first.left && close.width == first.width && close.top > At96(WindowId::Games, players[4]).Bottom();
}
static_assert(PlayersStack());

// Thirteen levels a column, neighbours sharing an edge, the columns side by
// side; Close spans both columns below them.
constexpr bool LevelsFollowTheColumnRule() {
    const Rect first = At96(WindowId::spmaps, table::kLevelNames[0]);
    for (std::size_t n = 0; n < 26; ++n) {
        const Rect r = At96(WindowId::spmaps, table::kLevelNames[n]);
        const Rect head = n < 13 ? first : At96(WindowId::spmaps, table::kLevelNames[13]);
        if (r != Rect{head.left, head.top + (head.height - 1) * static_cast<int>(n % 13), head.width, head.height})
            return false;
        const Rect beside = At96(WindowId::spmaps, table::kLevelNames[n % 13]);
        if (n >= 13 && (r.top != beside.top || r.left <= beside.left + beside.width)) return false;
    }
    const Rect close = At96(WindowId::spmaps, "Command27"), last = At96(WindowId::spmaps, "Command26");
    return close.left == first.left && close.left + close.width == last.left + last.width && close.top > last.Bottom();
}
static_assert(LevelsFollowTheColumnRule());

// Only the main window's seven buttons are bold.
constexpr bool OnlyTheMainButtonsAreBold() {
    int bold = 0;
    for (const Window& w : kWindows)
        for (const Control& c : w.controls)
            if (c.bold && (++bold, w.id != WindowId::frmMain || c.kind != Kind::Button)) return false;
    return bold == 7;
}
static_assert(OnlyTheMainButtonsAreBold());

// Each window's tab indexes run 0, 1, 2, ... without a gap or a repeat.
constexpr bool TabIndexesRunWithoutGaps() {
    for (const Window& w : kWindows) {
        int tabbed = 0;
        for (const Control& c : w.controls) tabbed += c.tabIndex != kNoTabIndex;
        for (int index = 0; index < tabbed; ++index) {
            int holders = 0;
            for (const Control& c : w.controls) holders += c.tabIndex == index;
            if (holders != 1) return false;
        }
    }
    return true;
}
static_assert(TabIndexesRunWithoutGaps());

// The warning keeps its run of two blanks.
static_assert(ControlNamed(WindowId::frmAbout, "Label3").caption.size() == 34);

}  // namespace rules

}  // namespace kr2::design
