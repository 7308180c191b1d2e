#include "expected_windows.h"

#include <array>
#include <string>

namespace kr2::gui {
namespace {

ExpectedWindow MakeMain() {
    // Seven bold buttons under the picture; the tab order is not the screen order.
    return {"frmMain", L"Kestrane II Launcher", false, 321, 404,
            {
                {L"", Kind::Picture, 3, 3, 316, 193, kTopLevel, false},                               // 0
                {L"&Start Kestrane II Single Player", Kind::Button, 3, 200, 313, 41, kTopLevel, true}, // 1
                {L"&Start Kestrane II Multiplayer", Kind::Button, 3, 240, 313, 33, kTopLevel, true},   // 2
                {L"&Readme", Kind::Button, 3, 280, 313, 25, kTopLevel, true},                          // 3
                {L"&Options", Kind::Button, 3, 304, 313, 25, kTopLevel, true},                         // 4
                {L"&About", Kind::Button, 3, 328, 313, 25, kTopLevel, true},                           // 5
                {L"&Home Page", Kind::Button, 3, 352, 313, 25, kTopLevel, true},                       // 6
                {L"E&xit to Windows", Kind::Button, 3, 376, 313, 25, kTopLevel, true},                 // 7
            },
            {1, 7, 3, 6, 5, 0, 2, 4}};
}

ExpectedWindow MakeGames() {
    return {"Games", L"HM Games", true, 177, 170,
            {
                {L"&Player 1", Kind::Button, 8, 8, 161, 25, kTopLevel, false},    // 0
                {L"&Player 2", Kind::Button, 8, 32, 161, 25, kTopLevel, false},   // 1
                {L"&Player 3", Kind::Button, 8, 56, 161, 25, kTopLevel, false},   // 2
                {L"&Player 4", Kind::Button, 8, 80, 161, 25, kTopLevel, false},   // 3
                {L"&Player 5", Kind::Button, 8, 104, 161, 25, kTopLevel, false},  // 4
                {L"&Close", Kind::Button, 8, 136, 161, 25, kTopLevel, false},     // 5
            },
            {0, 1, 5, 2, 3, 4}};
}

ExpectedWindow MakeOptions() {
    return {"Options", L"HM Options", true, 407, 151,
            {
                {L"Options", Kind::Frame, 8, 8, 393, 65, kTopLevel, false},                // 0
                {L"SP Levels", Kind::Button, 8, 32, 121, 25, 0, false},                    // 1: in the frame
                {L"KR2 SP (Safe Mode)", Kind::Button, 8, 88, 129, 25, kTopLevel, false},   // 2
                {L"KR2 MP (Safe Mode)", Kind::Button, 8, 120, 129, 25, kTopLevel, false},  // 3
                {L"&Close", Kind::Button, 296, 120, 105, 25, kTopLevel, false},            // 4
            },
            {4, 2, 3, 1}};
}

constexpr std::array<std::wstring_view, 26> kLevelCaptions{
    L"Tovek Gate",     L"Tovek Keep",     L"Orlan Quarry",   L"Orlan Cells",
    L"Orlan Upper Deck", L"Gorge",        L"Sarneth Shrine", L"Sarneth Ordeal",
    L"ZR Alleys",      L"ZR Den",         L"ZR Skydock",     L"Caldor Lowtown",
    L"Caldor Alleys",  L"Caldor Spire",   L"Drumbar Harbor", L"Drumbar Foundry",
    L"Drumbar Core",   L"Drumbar Pier 1", L"Heskel Relay",   L"Heskel Cells",
    L"Heskel Wards",   L"Sarneth Marsh",  L"Sarneth Ravine", L"Sarneth Plaza",
    L"Sarneth Summit", L"Arena"};

ExpectedWindow MakeLevels() {
    ExpectedWindow w{"spmaps", L"SP Levels", true, 296, 357, {}, {}};
    // Two columns of 13 rows, 24 px apart while 25 px high: neighbours share an edge.
    const std::array<int, 13> tops{8, 32, 56, 80, 104, 128, 152, 176, 200, 224, 248, 272, 296};
    for (int n = 1; n <= 26; ++n) {
        const int left = n <= 13 ? 8 : 152;
        const int top = tops[static_cast<std::size_t>((n - 1) % 13)];
        w.controls.push_back({kLevelCaptions[static_cast<std::size_t>(n - 1)], Kind::Button, left,
                              top, 137, 25, kTopLevel, false});
        w.tabCycle.push_back(n - 1);
    }
    w.controls.push_back({L"&Close", Kind::Button, 8, 328, 281, 25, kTopLevel, false});
    w.tabCycle.push_back(26);
    return w;
}

ExpectedWindow MakeAbout() {
    // Only Close can hold the focus, so Tab stays on it.
    return {"frmAbout", L"About", true, 296, 141,
            {
                {L"Hollowmere: Kestrane II Launcher Credits", Kind::Frame, 4, 0, 289, 81, kTopLevel, false},  // 0
                {L"", Kind::Image, 8, 16, 32, 32, 0, false},                                                // 1
                {L"Kip707", Kind::Label, 8, 56, 113, 17, 0, false},                                         // 2
                {L"Close", Kind::Button, 192, 112, 97, 25, kTopLevel, false},                               // 3
                {L"beta 1.0", Kind::Label, 8, 120, 81, 17, kTopLevel, false},                               // 4
                {L"USE THIS  PROGRAM AT YOUR OWN RISK", Kind::Label, 8, 88, 225, 17, kTopLevel, false},     // 5
            },
            {3}};
}

const std::array<ExpectedWindow, 5>& Table() {
    static const std::array<ExpectedWindow, 5> table{MakeMain(), MakeGames(), MakeOptions(),
                                                     MakeLevels(), MakeAbout()};
    return table;
}

constexpr std::array<Win, 5> kAll{Win::Main, Win::Games, Win::Options, Win::Levels, Win::About};

}  // namespace

const ExpectedWindow& Expected(Win w) { return Table()[static_cast<std::size_t>(w)]; }

std::span<const Win> AllWindows() { return kAll; }

int ControlIndex(const ExpectedWindow& w, std::wstring_view caption) {
    for (std::size_t i = 0; i < w.controls.size(); ++i) {
        if (w.controls[i].caption == caption) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace kr2::gui
