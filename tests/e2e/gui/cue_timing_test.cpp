// Cues play to their end before the press takes effect; without the Install
// directory everything happens at once. Sounds play into the null sink.

#include <string>

#include "expect.h"
#include "key_input.h"
#include "launcher_run.h"
#include "window_probe.h"

namespace kr2::e2e {
namespace {

using GuiCues = LauncherTest;

constexpr unsigned kCueMs = 2000;

TEST_F(GuiCues, ClickCueDelaysTheWindow) {
    layout.WriteCue(L"click.WAV", kCueMs);
    if (!Launch()) return;
    const std::uint64_t pressed = e2e::NowMs();
    run.Press(main, WindowId::frmMain, design::OpenerCaption(WindowId::Games));
    HWND games = run.WaitWindow(WindowId::Games, 8000);
    const std::uint64_t took = Since(pressed);
    Expect(games && took >= kCueMs && took < kCueMs + 4000,
           "with a 2 s click.WAV the profile window opens 2 s after the press, not sooner; took " +
               std::to_string(took) + " ms");
}

TEST_F(GuiCues, OpenCueDelaysTheMainWindow) {
    layout.WriteCue(L"open.WAV", kCueMs);
    run = LauncherRun(layout);
    main = run.WaitWindow(WindowId::frmMain, 10000);
    const std::uint64_t took = Since(run.StartedAtMs());
    Expect(main && took >= kCueMs && took < kCueMs + 6000,
           "with a 2 s open.WAV the main window becomes visible 2 s after the start, not sooner; took " +
               std::to_string(took) + " ms");
}

// Without Install every cue is skipped: each press acts at once.
TEST_F(GuiCues, NoInstallActsAtOnce) {
    if (!Launch()) return;
    constexpr std::uint64_t kAtOnceMs = 1000;
    auto timed = [&](const std::string& what, auto press, auto done) {
        const std::uint64_t start = e2e::NowMs();
        press();
        const bool ok = done();
        const std::uint64_t took = Since(start);
        Expect(ok && took < kAtOnceMs, what + " within 1 s; took " + std::to_string(took) + " ms");
    };
    // Every window opened by its button, from a window opened the way the
    // design opens it (untimed), then closed by its own.
    for (WindowId w : design::kSecondaryWindows) {
        const design::Way way = design::Layout(w).openedBy;
        const HWND from = run.Open(way.from);
        HWND top = nullptr;
        timed(e2e::Describe(design::OpenerCaption(w)) + " opens " + Name(w),
              [&] { run.Press(from, way.from, design::OpenerCaption(w)); },
              [&] { return (top = run.WaitWindow(w, 3000)) != nullptr; });
        if (top)
            timed(e2e::Describe(design::CloserCaption(w)) + " closes " + Name(w),
                  [&] { run.Press(top, w, design::CloserCaption(w)); }, [&] { return run.WaitGone(w, 3000); });
    }
    timed("\"E&xit to Windows\" ends the launcher", [&] { run.Press(main, WindowId::frmMain, L"E&xit to Windows"); },
          [&] { return run.WaitExit(3000); });
}

// Only the Close buttons play "back": the About icon and the close box of
// the caption bar close their window without any cue.
TEST_F(GuiCues, SilentClosesPlayNoCue) {
    layout.WriteCue(L"back.WAV", kCueMs);
    if (!Launch()) return;

    HWND about = run.Open(WindowId::frmAbout);
    HWND icon = about ? FindControl(about, Expected(WindowId::frmAbout), ControlIndex(Expected(WindowId::frmAbout), L"")) : nullptr;
    if (Expect(icon != nullptr, "frmAbout: the icon is there")) {
        const std::uint64_t start = e2e::NowMs();
        MouseClick(CentreOf(icon));
        const bool gone = run.WaitGone(WindowId::frmAbout, 3000);
        const std::uint64_t took = Since(start);
        Expect(gone && took < 1000, "a click on the About icon closes the window at once; took " +
                                        std::to_string(took) + " ms");
    }

    HWND games = run.Open(WindowId::Games);
    const POINT closeBox = games ? CloseBoxOf(games) : POINT{-1, -1};
    if (Expect(closeBox.x >= 0, "Games: a close box in its caption bar")) {
        const std::uint64_t start = e2e::NowMs();
        MouseClick(closeBox);
        const bool gone = run.WaitGone(WindowId::Games, 3000);
        const std::uint64_t took = Since(start);
        Expect(gone && took < 1000, "the close box closes the profile window at once; took " +
                                        std::to_string(took) + " ms");
    }

    about = run.Open(WindowId::frmAbout);
    if (about) {
        const std::uint64_t start = e2e::NowMs();
        run.Press(about, WindowId::frmAbout, design::CloserCaption(WindowId::frmAbout));
        const bool gone = run.WaitGone(WindowId::frmAbout, 8000);
        const std::uint64_t took = Since(start);
        Expect(gone && took >= kCueMs, "\"Close\" plays the 2 s back.WAV before the window goes; took " +
                                          std::to_string(took) + " ms");
    }
    Expect(run.Running(), "the launcher runs on with its main window");
}

}  // namespace
}  // namespace kr2::e2e
