// When the program lives and ends, and how windows come and go: one instance
// each, brought forward but not moved when shown again, fresh when reopened.

#include <string>

#include "expect.h"
#include "expected_layout.h"
#include "key_input.h"
#include "launcher_run.h"
#include "window_checks.h"
#include "window_probe.h"

namespace kr2::e2e {
namespace {

using GuiLifetime = LauncherTest;



RECT WindowRect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

// Moves a window away from the centre, as a player dragging it would.
void MoveAside(HWND h, int x, int y) {
    SetWindowPos(h, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    WaitFor([&] { return WindowRect(h).left == x && WindowRect(h).top == y; }, 2000);
}

bool Activate(HWND h) {
    SetForegroundWindow(h);
    return WaitForeground(h, 2000);
}

TEST_F(GuiLifetime, MainClosedWhileAboutOpen) {
    Launch();
    HWND about = main ? run.Open(WindowId::frmAbout) : nullptr;
    if (!about) return;
    // The close boxes of the two windows, clicked as a player would, each on
    // the window in front.
    if (!Expect(Activate(main), "frmMain can be brought forward")) return;
    MouseClick(CloseBoxOf(main));
    Expect(run.WaitGone(WindowId::frmMain), "frmMain closes by its close box");
    Expect(!run.WaitExit(500) && IsWindowVisible(about),
           "with the About window open the launcher keeps running after the main window closed");
    if (!Expect(Activate(about), "frmAbout can be brought forward")) return;
    MouseClick(CloseBoxOf(about));
    Expect(run.WaitExit(3000), "closing the About window, the last one, ends the launcher");
}

TEST_F(GuiLifetime, ShownAgainComesForward) {
    if (!Launch()) return;
    int x = 20;
    for (WindowId w : design::kSecondaryWindows) {
        HWND first = run.Open(w);
        if (!first) continue;
        MoveAside(first, x, 30);
        x += 40;
        const RECT moved = WindowRect(first);
        if (!Expect(Activate(main), "frmMain can be brought forward")) return;
        const design::Way way = design::Layout(w).openedBy;
        if (way.from == WindowId::frmMain) {
            // A player's click on the main window's button, at its centre.
            run.Press(main, WindowId::frmMain, design::OpenerCaption(w), LauncherRun::By::Mouse);
        } else {
            // Shown again the way there is: its button in the window it is
            // opened from, opened anew.
            HWND from = run.Open(way.from);
            if (from) run.Press(from, way.from, design::OpenerCaption(w), LauncherRun::By::Mouse);
            if (way.closesFrom)
                Expect(run.WaitGone(way.from), Name(way.from) + " closes after " +
                                                   e2e::Describe(design::OpenerCaption(w)));
        }
        const std::string n = Name(w) + " shown again";
        Expect(WaitForeground(first, 3000), n + ": the open window comes to the foreground");
        const auto all = TopLevelWindows(run.Pid(), Expected(w).caption);
        Expect(all.size() == 1 && all.front() == first,
               n + ": no second window; windows with its caption: " + std::to_string(all.size()));
        const RECT now = WindowRect(first);
        Expect(now.left == moved.left && now.top == moved.top, n + ": not moved");
    }
}

TEST_F(GuiLifetime, ReopenedFreshAndCentred) {
    if (!Launch()) return;
    for (WindowId w : design::kSecondaryWindows) {
        const std::string n = Name(w) + " reopened";
        const ExpectedWindow& want = Expected(w);
        HWND first = run.Open(w);
        if (!first) continue;
        MoveAside(first, 15, 25);
        // Move the focus off the first control, where the window has a second one.
        if (TabCycle(want).size() > 1 && WaitForeground(first)) {
            HWND second = FindControl(first, want, TabCycle(want)[1]);
            PressKey(VK_TAB);
            Expect(WaitFor([&] { return FocusOf(first) == second; }, 2000), n + ": focus moved by Tab first");
        }
        // A player's click on each window's Close button, at its centre.
        run.Press(first, w, design::CloserCaption(w), LauncherRun::By::Mouse);
        if (!Expect(run.WaitGone(w), n + ": closed by its Close button")) continue;
        if (!Expect(Activate(main), "frmMain can be brought forward")) return;
        HWND again = run.Open(w);
        if (!again) continue;
        CheckCentred(again, w, "after it was moved, closed and opened again");
        HWND firstControl = FindControl(again, want, TabCycle(want).front());
        Expect(firstControl && WaitFor([&] { return FocusOf(again) == firstControl; }, 2000),
               n + ": the focus is back on its first control");
    }
    Expect(run.Running(), "the launcher runs on with its main window");
}

// A click on the About icon closes the window, however soon after the window
// appears it comes: 100 clicks over four launches, each given the moment the
// window is visible. The window is opened by its access key, so that only
// clicks on the icon are counted here.
TEST_F(GuiLifetime, EveryClickOnTheAboutIconClosesIt) {
    constexpr int kLaunches = 4;
    constexpr int kClicksPerLaunch = 25;
    const ExpectedWindow& want = Expected(WindowId::frmAbout);
    GameLayout layout(L"gui_life_icon");
    int clicks = 0;
    int lost = 0;
    for (int launch = 0; launch < kLaunches; ++launch) {
        LauncherRun run(layout);
        HWND main = run.WaitWindow(WindowId::frmMain);
        for (int i = 0; i < kClicksPerLaunch; ++i) {
            if (!main || !Expect(WaitForeground(main), "frmMain is the foreground window before Alt+A")) return;
            PressAltKey('A');
            HWND about = run.WaitWindow(WindowId::frmAbout);
            HWND icon = about ? FindControl(about, want, ControlIndex(want, L"")) : nullptr;
            if (!Expect(icon != nullptr, "frmAbout opens with its icon")) return;
            MouseClick(CentreOf(icon));
            ++clicks;
            if (!run.WaitGone(WindowId::frmAbout, 2000)) {
                ++lost;
                // Only to go on counting after a lost click: posted, so that
                // this step cannot go astray in its turn.
                PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
                if (!Expect(run.WaitGone(WindowId::frmAbout), "frmAbout closes by SC_CLOSE")) return;
            }
        }
        PressAltKey('X');
        Expect(run.WaitExit(3000), "Alt+X ends the launcher");
    }
    Expect(lost == 0, std::to_string(lost) + " of " + std::to_string(clicks) +
                          " clicks on the About icon, each given as soon as the window was visible, left it open");
}

}  // namespace
}  // namespace kr2::e2e
