#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "stale_input.h"

namespace kr2 {
namespace {

using Kind = InputEvent::Kind;

constexpr WindowKey kMain = 1, kGames = 2, kBox = 3, kUnknown = 9;
constexpr DoubleClickMeasure kMeasure{500, 4, 4};

// One step of a player's session: a window appears or goes, or input is read
// with the verdict it must get ("drop" or "keep").
struct Step {
    enum class Does { Appear, Vanish, Released, Read } does;
    WindowKey window;
    std::uint32_t time;
    InputEvent input{};
    bool dropped = false;
};

Step Appear(WindowKey w, std::uint32_t t) { return {Step::Does::Appear, w, t}; }
Step Vanish(WindowKey w) { return {Step::Does::Vanish, w, 0}; }
Step Released() { return {Step::Does::Released, 0, 0}; }
Step Read(bool drop, Kind kind, WindowKey w, std::uint32_t t, int x = 5, int y = 5, unsigned code = 1,
          bool repeat = false) {
    return {Step::Does::Read, w, t, InputEvent{kind, t, w, x, y, code, repeat}, drop};
}
constexpr bool drop = true, keep = false;
constexpr unsigned kEnter = 0x0D, kSpace = 0x20;

void Session(const char* session, std::initializer_list<Step> steps) {
    StaleInputFilter filter;
    int n = 0;
    for (const Step& s : steps) {
        ++n;
        switch (s.does) {
            case Step::Does::Appear: filter.Appeared(s.window, s.time); break;
            case Step::Does::Vanish: filter.Vanished(s.window); break;
            case Step::Does::Released: filter.KeysReleased(); break;
            case Step::Does::Read:
                EXPECT_EQ(filter.Drops(s.input, kMeasure), s.dropped)
                    << session << ", step " << n << " (" << (s.dropped ? "drop" : "keep") << ")";
                break;
        }
    }
}

TEST(StaleInput, ClicksGivenBeforeTheirWindowAppeared) {
    Session("a double click whose first click opens a window", {
        Appear(kMain, 0), Read(keep, Kind::Press, kMain, 1000), Read(keep, Kind::Release, kMain, 1010),
        Appear(kGames, 1020), Read(drop, Kind::Press, kGames, 1060), Read(drop, Kind::Release, kGames, 1070),
        Read(drop, Kind::Press, kGames, 1120), Read(drop, Kind::Release, kGames, 1130),  // a third, in the chain
        Read(keep, Kind::Press, kGames, 1620), Read(keep, Kind::Release, kGames, 1630)}); // after the double-click time
    Session("a double click on one button is two presses of it", {
        Appear(kMain, 0), Read(keep, Kind::Press, kMain, 1000), Read(keep, Kind::Release, kMain, 1010),
        Read(keep, Kind::Press, kMain, 1060), Read(keep, Kind::Release, kMain, 1070)});
    Session("the platform's measure, on both sides of each bound", {
        Read(keep, Kind::Press, kMain, 1000, 5, 5), Appear(kGames, 1000), Read(drop, Kind::Press, kGames, 1499, 6, 6),
        Read(keep, Kind::Press, kMain, 3000, 5, 5), Appear(kGames, 3000), Read(keep, Kind::Press, kGames, 3500, 5, 5),
        Read(keep, Kind::Press, kMain, 5000, 5, 5), Appear(kGames, 5000), Read(keep, Kind::Press, kGames, 5010, 7, 5),
        Read(keep, Kind::Press, kMain, 7000, 5, 5), Appear(kGames, 7000), Read(keep, Kind::Press, kGames, 7010, 5, 3),
        Read(keep, Kind::Press, kMain, 9000, 5, 5), Appear(kGames, 9000), Read(keep, Kind::Press, kGames, 9010, 5, 5, 2)});
    Session("a window that a key brought up, clicked at once where the last click was", {
        Appear(kMain, 0), Appear(kGames, 0), Read(keep, Kind::Press, kGames, 1000), Read(keep, Kind::Release, kGames, 1010),
        Vanish(kGames), Appear(kMain, 1010),  // the click closed it
        Read(keep, Kind::KeyDown, kMain, 1100, 0, 0, kEnter), Appear(kGames, 1100),
        Read(keep, Kind::Press, kGames, 1200), Read(keep, Kind::Release, kGames, 1210)});
    Session("clicks given during a cue", {
        Appear(kMain, 0), Read(keep, Kind::Press, kMain, 1000), Read(keep, Kind::Release, kMain, 1010),
        Appear(kGames, 3000), Read(drop, Kind::Press, kGames, 1500, 80, 80), Read(drop, Kind::Release, kGames, 1510),
        Read(keep, Kind::Press, kGames, 3100, 80, 80), Read(keep, Kind::Release, kGames, 3110),
        Read(keep, Kind::Press, kUnknown, 10, 200, 200)});  // a window the launcher never showed
    Session("the error box", {
        Appear(kMain, 0), Read(keep, Kind::Press, kMain, 1000), Read(keep, Kind::Release, kMain, 1010),
        Appear(kBox, 3000), Read(drop, Kind::Press, kBox, 2999, 90, 90), Read(drop, Kind::KeyDown, kBox, 2999, 0, 0, kEnter),
        Read(drop, Kind::KeyUp, kBox, 2999, 0, 0, kEnter), Read(keep, Kind::KeyDown, kBox, 3000, 0, 0, kEnter)});
    Session("message times that wrap, and a window open for 25 days", {
        Appear(kGames, 0xFFFFFF00u), Read(keep, Kind::Press, kGames, 0x10), Read(drop, Kind::Press, kGames, 0xFFFFFE00u, 90, 90),
        Read(keep, Kind::Press, kGames, 0xFFFFFF00u + 0x80000005u, 50, 50),
        Read(keep, Kind::KeyDown, kGames, 0xFFFFFF00u + 0x80000100u, 0, 0, kEnter)});
}

TEST(StaleInput, KeysGivenBeforeTheirWindowAppeared) {
    Session("Enter held on the button that opens a window", {
        Appear(kMain, 0), Read(keep, Kind::KeyDown, kMain, 100, 0, 0, kEnter), Appear(kGames, 2000),
        Read(drop, Kind::KeyDown, kGames, 1500, 0, 0, kEnter, true), Read(drop, Kind::KeyDown, kGames, 2100, 0, 0, kEnter, true),
        Read(drop, Kind::KeyDown, kGames, 2130, 0, 0, kEnter),  // Wine's first after a change of window: no repeat flag
        Read(drop, Kind::KeyUp, kGames, 2200, 0, 0, kEnter),
        // Pressed afresh in the new window: acts, held and released there.
        Read(keep, Kind::KeyDown, kGames, 2300, 0, 0, kEnter), Read(keep, Kind::KeyDown, kGames, 2330, 0, 0, kEnter, true),
        Read(keep, Kind::KeyUp, kGames, 2400, 0, 0, kEnter)});
    Session("keys typed during a cue", {
        Appear(kMain, 0), Appear(kGames, 2000), Read(drop, Kind::KeyDown, kGames, 1900, 0, 0, kSpace),
        Read(drop, Kind::KeyDown, kGames, 2030, 0, 0, kSpace), Read(drop, Kind::KeyUp, kGames, 2050, 0, 0, kSpace), Read(drop, Kind::Other, kGames, 1900),
        Read(keep, Kind::Other, kGames, 2050), Read(keep, Kind::KeyDown, kMain, 1950, 0, 0, kSpace),
        Read(keep, Kind::KeyUp, kMain, 2060, 0, 0, kSpace)});  // on the window that was there: as always
    Session("a window that goes takes its keys along", {
        Appear(kMain, 0), Read(keep, Kind::KeyDown, kMain, 100, 0, 0, kEnter), Vanish(kMain),
        Appear(kMain, 300), Read(drop, Kind::KeyDown, kMain, 400, 0, 0, kEnter, true)});  // the same name again
    Session("releases another loop read", {
        Appear(kMain, 0), Appear(kGames, 0), Read(keep, Kind::KeyDown, kMain, 100, 0, 0, kEnter), Released(),
        Read(keep, Kind::KeyDown, kGames, 5000, 0, 0, kEnter)});
    Session("a release the launcher never saw costs one press, no more", {
        Appear(kMain, 0), Appear(kGames, 0), Read(keep, Kind::KeyDown, kMain, 100, 0, 0, kEnter),
        Read(drop, Kind::KeyDown, kGames, 5000, 0, 0, kEnter), Read(drop, Kind::KeyUp, kGames, 5050, 0, 0, kEnter),
        Read(keep, Kind::KeyDown, kGames, 6000, 0, 0, kEnter)});
}

}  // namespace
}  // namespace kr2
