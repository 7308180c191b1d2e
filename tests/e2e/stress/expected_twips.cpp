#include "expected_twips.h"

#include <array>

namespace kr2::stress {
namespace {

WindowTwips Main() {
    return {4815, 6060,
            {{50, 50, 4740, 2895},    // picture
             {50, 3000, 4695, 615},   // single player
             {50, 3600, 4695, 495},   // multiplayer
             {50, 4200, 4695, 375},   // readme
             {50, 4560, 4695, 375},   // options
             {50, 4920, 4695, 375},   // About
             {50, 5280, 4695, 375},   // home page
             {50, 5640, 4695, 375}}}; // exit
}

WindowTwips Games() {
    WindowTwips w{2655, 2550, {}};
    for (int top : {120, 480, 840, 1200, 1560}) w.controls.push_back({120, top, 2415, 375});
    w.controls.push_back({120, 2040, 2415, 375});  // Close
    return w;
}

WindowTwips Options() {
    return {6105, 2265,
            {{120, 120, 5895, 975},     // frame
             {120, 480, 1815, 375},     // SP Levels, inside the frame
             {120, 1320, 1935, 375},    // KR2 SP
             {120, 1800, 1935, 375},    // KR2 MP
             {4440, 1800, 1575, 375}}}; // Close
}

WindowTwips Levels() {
    // Two columns of 13 rows, 360 apart; Close spans both columns.
    WindowTwips w{4440, 5355, {}};
    for (int n = 1; n <= 26; ++n)
        w.controls.push_back({n <= 13 ? 120 : 2280, 120 + 360 * ((n - 1) % 13), 2055, 375});
    w.controls.push_back({120, 4920, 4215, 375});
    return w;
}

WindowTwips About() {
    return {4440, 2115,
            {{55, 0, 4335, 1215},      // frame
             {120, 240, 480, 480},     // icon, inside the frame
             {120, 840, 1695, 255},    // credit, inside the frame
             {2880, 1680, 1455, 375},  // Close
             {120, 1800, 1215, 255},   // version
             {120, 1320, 3375, 255}}}; // disclaimer
}

}  // namespace

const WindowTwips& TwipsOf(gui::Win w) {
    static const std::array<WindowTwips, 5> table{Main(), Games(), Options(), Levels(), About()};
    return table[static_cast<std::size_t>(w)];
}

}  // namespace kr2::stress
