// Real keys into the foreground launcher window: the tab cycle of every
// window, Escape ignored everywhere, Enter pressing the focused button,
// access keys, and Alt+X ending the program.

#include <string>

#include "expect.h"
#include "key_input.h"
#include "launcher_run.h"
#include "window_probe.h"

namespace kr2::gui {
namespace {

// What holds the focus, by its expected caption, for messages.
std::string FocusName(HWND top, Win w) {
    const HWND focus = FocusOf(top);
    if (!focus) return "nothing";
    const ExpectedWindow& want = Expected(w);
    for (std::size_t i = 0; i < want.controls.size(); ++i) {
        if (FindControl(top, want, static_cast<int>(i)) == focus) {
            const auto& c = want.controls[i];
            return c.caption.empty() ? std::string("the picture") : e2e::Describe(c.caption);
        }
    }
    return focus == top ? "the window itself" : "an unknown window (" + e2e::Describe(ClassOf(focus)) + ")";
}

bool WaitFocus(HWND top, Win w, int index, const std::string& when) {
    HWND want = FindControl(top, Expected(w), index);
    if (want) WaitFor([&] { return FocusOf(top) == want; }, 2000);
    const auto& c = Expected(w).controls[static_cast<std::size_t>(index)];
    return ExpectEq(FocusName(top, w), c.caption.empty() ? std::string("the picture") : e2e::Describe(c.caption),
                    std::string(Expected(w).name) + ": focus " + when);
}

// Brings `top` forward the way the player would have it: it is the window
// keys go to. The launcher activates the windows it opens itself.
bool Foreground(HWND top, Win w) {
    return Expect(WaitForeground(top), std::string(Expected(w).name) + " is the foreground window");
}

// Escape must leave the window open and the focus where it was.
void EscapeDoesNothing(const LauncherRun& run, HWND top, Win w) {
    const HWND before = FocusOf(top);
    PressKey(VK_ESCAPE);
    const bool closed = WaitFor([&] { return !IsWindow(top) || !IsWindowVisible(top); }, 300);
    Expect(!closed && run.Running(), std::string(Expected(w).name) + ": Escape leaves the window open");
    Expect(FocusOf(top) == before, std::string(Expected(w).name) + ": Escape leaves the focus where it was");
}

// Starts where a freshly opened window must have its focus; Escape there
// first, then the whole cycle round to the first control again, with Escape
// pressed before every Tab as well.
void TabCycle(const LauncherRun& run, HWND top, Win w) {
    const auto& cycle = Expected(w).tabCycle;
    if (!WaitFocus(top, w, cycle.front(), "when the window opens")) return;
    EscapeDoesNothing(run, top, w);
    for (std::size_t step = 1; step <= cycle.size(); ++step) {
        PressKey(VK_ESCAPE);
        PressKey(VK_TAB);
        if (!WaitFocus(top, w, cycle[step % cycle.size()], "after Tab number " + std::to_string(step)))
            return;
    }
}

void TabTo(HWND top, Win w, int tabs) {
    const auto& cycle = Expected(w).tabCycle;
    for (int i = 1; i <= tabs; ++i) {
        PressKey(VK_TAB);
        WaitFocus(top, w, cycle[static_cast<std::size_t>(i) % cycle.size()], "while tabbing");
    }
}

// Back to the main window once a secondary one has gone.
bool BackToMain(HWND main) {
    if (!WaitForeground(main, 2000)) SetForegroundWindow(main);
    return Foreground(main, Win::Main);
}

TEST(GuiKeyboard, TabOrderAccessKeysEnterAndSpace) {
    GameLayout layout(L"gui_keys");
    LauncherRun run(layout);
    HWND main = run.WaitWindow(Win::Main);
    if (!main || !Foreground(main, Win::Main)) return;

    TabCycle(run, main, Win::Main);
    PressKey(VK_RETURN);  // the single-player button holds the focus
    HWND games = run.WaitWindow(Win::Games);
    if (!games || !Foreground(games, Win::Games)) return;

    TabCycle(run, games, Win::Games);
    TabTo(games, Win::Games, 2);  // "&Player 1" -> "&Player 2" -> "&Close"
    PressKey(VK_RETURN);
    Expect(run.WaitGone(Win::Games), "Games: Enter on \"&Close\" closes the window");
    if (!BackToMain(main)) return;

    PressAltKey('O');
    HWND options = run.WaitWindow(Win::Options);
    if (!options || !Foreground(options, Win::Options)) return;
    TabCycle(run, options, Win::Options);
    TabTo(options, Win::Options, 3);  // "&Close" -> both safe modes -> "SP Levels"
    PressKey(VK_RETURN);
    HWND levels = run.WaitWindow(Win::Levels);
    Expect(run.WaitGone(Win::Options), "Options: Enter on \"SP Levels\" closes the options window");
    if (!levels || !Foreground(levels, Win::Levels)) return;

    TabCycle(run, levels, Win::Levels);
    PressAltKey('C');
    Expect(run.WaitGone(Win::Levels), "spmaps: Alt+C presses \"&Close\"");
    if (!BackToMain(main)) return;

    PressAltKey('A');
    HWND about = run.WaitWindow(Win::About);
    if (!about || !Foreground(about, Win::About)) return;
    TabCycle(run, about, Win::About);
    PressKey(VK_SPACE);  // Space presses the focused button as Enter does
    Expect(run.WaitGone(Win::About), "frmAbout: Space on \"Close\" closes the window");
    if (!BackToMain(main)) return;

    Expect(run.Running(), "launcher still running before Alt+X");
    PressAltKey('X');
    Expect(run.WaitExit(3000), "frmMain: Alt+X ends the program");
}

}  // namespace
}  // namespace kr2::gui
