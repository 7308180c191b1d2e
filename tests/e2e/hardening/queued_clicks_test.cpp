// Clicks given while a 2 s cue plays wait for it and then run one after the
// other, in the order given, each with exactly its own effect; a click on a
// window that has gone in the meantime does nothing, and none runs while the
// run-time error box is up. Keys typed during the cue never dismiss that box.

#include <windows.h>

#include <array>
#include <string>

#include "expect.h"
#include "files.h"
#include "key_input.h"
#include "outside_programs.h"
#include "launcher_run.h"
#include "message_boxes.h"
#include "window_probe.h"

namespace kr2::e2e {
namespace {

using HardeningQueuedClicks = LauncherTest;

constexpr unsigned kCueMs = 2000;

// Buttons are looked up by their text, which a launcher busy with a cue
// cannot give: every button is found before the first press.
HWND Button(HWND top, WindowId w, std::wstring_view caption) {
    const int index = e2e::ControlIndex(e2e::Expected(w), caption);
    HWND button = top && index >= 0 ? e2e::FindControl(top, e2e::Expected(w), index) : nullptr;
    Expect(button != nullptr, e2e::Name(w) + ": button " + e2e::Describe(caption));
    return button;
}

// Posted: each press must reach the button found while the launcher was
// idle, whatever windows have opened over it by the time it is handled; the
// point is the order in which queued presses run after a cue.
void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

TEST_F(HardeningQueuedClicks, QueuedClicksRunInOrder) {
    layout.WriteCue(L"click.WAV", kCueMs);
    layout.WriteCue(L"start.WAV", kCueMs);
    if (!Launch()) return;

    // Three presses at once: each window opens one cue after the one before.
    // Not every window: the three that one press of a main window button
    // opens (the level window takes a press in the options window).
    constexpr std::array<WindowId, 3> kOpened{WindowId::frmAbout, WindowId::Options, WindowId::Games};
    const HWND about = Button(main, WindowId::frmMain, L"&About");
    const HWND options = Button(main, WindowId::frmMain, L"&Options");
    const HWND single = Button(main, WindowId::frmMain, L"&Start Kestrane II Single Player");
    const HWND multi = Button(main, WindowId::frmMain, L"&Start Kestrane II Multiplayer");
    const std::uint64_t pressed = e2e::NowMs();
    Click(about);
    Click(options);
    Click(single);
    std::array<std::uint64_t, 3> seenAt{};
    e2e::WaitFor([&] {
        bool all = true;
        for (std::size_t i = 0; i < kOpened.size(); ++i) {
            const auto open = e2e::TopLevelWindows(run.Pid(), e2e::Expected(kOpened[i]).caption);
            Expect(open.size() <= 1, e2e::Name(kOpened[i]) + " is open at most once");
            if (!open.empty() && seenAt[i] == 0) seenAt[i] = Since(pressed);
            all = all && seenAt[i] != 0;
        }
        return all;
    }, 4 * kCueMs + 8000);
    for (std::size_t i = 0; i < kOpened.size(); ++i) {
        const std::uint64_t earliest = (i + 1) * kCueMs;
        Expect(seenAt[i] >= earliest && seenAt[i] < earliest + 4000,
               e2e::Name(kOpened[i]) + " opens after cue " + std::to_string(i + 1) +
                   " of 3, at " + std::to_string(earliest) + " ms; seen at " + std::to_string(seenAt[i]) + " ms");
    }
    HWND games = run.WaitWindow(WindowId::Games, 1000);
    const HWND player2 = Button(games, WindowId::Games, L"&Player 2");
    if (!games || !player2) return;

    // Multiplayer twice, then Player 2: the second Multiplayer press is on a
    // window that the first one closed, so it does nothing.
    const std::uint64_t launched = e2e::NowMs();
    Click(multi);
    Click(multi);
    Click(player2);
    const auto first = layout.Log().WaitFor(1, kCueMs + 8000);
    const std::uint64_t firstAt = Since(launched);
    const auto both = layout.Log().WaitFor(2, kCueMs + 8000);
    const std::uint64_t secondAt = Since(launched);
    Expect(firstAt >= kCueMs && secondAt >= 2 * kCueMs,
           "each start follows its own cue: at " + std::to_string(firstAt) + " and " + std::to_string(secondAt) + " ms");
    ExpectCleanEnd(run.Pid(), "Player 2 after the queued Multiplayer presses", 8000);
    const auto records = layout.Log().WaitFor(3, 1000);
    if (!ExpectEq(records.size(), std::size_t{2}, "programs started by Multiplayer, Multiplayer, Player 2")) return;
    ExpectEq(records[0].commandLine, std::wstring(L"kr2mp.exe"), "first start");
    ExpectEq(records[1].commandLine, std::wstring(L"kr2sp.exe   +set fs_game players_kr2\\Player2_saves"),
             "second start");
    ExpectNoMessageBox("queued presses");
}

// Home Page with Internet Explorer missing, Readme and About pressed behind
// it: the box comes after the cue, and while it is up the two presses behind
// it do nothing; after OK the launcher ends and they never run.
TEST_F(HardeningQueuedClicks, NoClickRunsUnderTheErrorBox) {
    layout.WriteCue(L"click.WAV", kCueMs);
    SwappedFile explorer(e2e::kExplorerPath, SwappedFile::Kind::Absent);
    SwappedFile notepad(e2e::kNotepadPath, SwappedFile::Kind::Stub);
    const LauncherRun::EndsFirst ends{run};
    if (!Launch()) return;

    const HWND homePage = Button(main, WindowId::frmMain, L"&Home Page");
    const HWND readme = Button(main, WindowId::frmMain, L"&Readme");
    const HWND about = Button(main, WindowId::frmMain, L"&About");
    Click(homePage);
    Click(readme);
    Click(about);
    HWND box = WaitMessageBox(kCueMs + 8000);
    if (!Expect(box != nullptr, "the run-time error box appears after the Home Page cue")) return;
    // Longer than a cue: a press run inside the box would have acted by now.
    Sleep(kCueMs + 1500);
    Expect(IsWindowVisible(box) && run.Running(), "the box stays up until OK");
    ExpectEq(layout.Log().Read().size(), std::size_t{0}, "programs started while the box is up");
    Expect(e2e::TopLevelWindows(run.Pid(), e2e::Expected(WindowId::frmAbout).caption).empty(),
           "no About window opens while the box is up");
    ExpectEq(VisibleMessageBoxes().size(), std::size_t{1}, "message boxes while the box is up");
    PressOk(box);
    ExpectCleanEnd(run.Pid(), "OK on the box", 8000);
    ExpectEq(layout.Log().WaitFor(1, 1500).size(), std::size_t{0}, "programs started after OK");
    ExpectNoMessageBox("after OK");
}

// Home Page by its access key with Internet Explorer missing, and Enter,
// Space and Escape typed while its cue plays, then a click where the box's
// OK button comes up: the run-time error box still stands when they have
// had time to act, and only a key pressed at the box itself ends the
// launcher.
TEST_F(HardeningQueuedClicks, KeysAndClicksGivenDuringTheCueLeaveTheBoxUp) {
    GameLayout layout(L"hardening_queued_keys");
    layout.WriteCue(L"click.WAV", kCueMs);
    SwappedFile explorer(e2e::kExplorerPath, SwappedFile::Kind::Absent);
    POINT ok{-1, -1};  // learnt from the first box
    for (const bool click : {false, true}) {
        LauncherRun run(layout);
        HWND main = run.WaitWindow(WindowId::frmMain);
        if (!main || !Expect(e2e::WaitForeground(main), "frmMain is the foreground window")) return;

        e2e::PressAltKey('H');
        // Well inside the 2 s cue: the launcher is busy, the keys wait in its queue.
        Sleep(kCueMs / 4);
        if (click)
            e2e::MouseClick(ok);
        else
            for (WORD vk : {VK_RETURN, VK_SPACE, VK_ESCAPE}) e2e::PressKey(vk);
        HWND box = WaitMessageBox(kCueMs + 8000);
        if (!Expect(box != nullptr, "the run-time error box appears after the Home Page cue")) return;
        ok = e2e::CentreOf(FindWindowExW(box, nullptr, L"Button", nullptr));
        ExpectEq(e2e::CaptionOf(box), std::wstring(L"kr2_s1"), "the box's caption");
        Expect(MessageText(box).starts_with(L"Run-time error '2':"),
               "the box names the failure: " + e2e::Describe(MessageText(box)));
        // Far longer than the box's own loop needs to read a waiting key.
        Sleep(1500);
        Expect(IsWindowVisible(box) && run.Running(), std::string(click ? "a click" : "keys") + " given during the cue leave the box up");
        if (!Expect(e2e::WaitForeground(box), "the box is the foreground window")) return;
        e2e::PressKey(VK_RETURN);
        ExpectCleanEnd(run.Pid(), "Enter at the box", 8000);
        ExpectNoMessageBox("after Enter at the box");
    }
}

// Enter on "&Start Kestrane II Single Player", pressed again 400 ms later
// while its cue plays, or held down: the profile window opens and stands,
// and nothing is started.
TEST_F(HardeningQueuedClicks, EnterAgainOrHeldOnlyOpensTheProfileWindow) {
    GameLayout layout(L"hardening_queued_enter");
    layout.WriteCue(L"click.WAV", kCueMs);
    for (const bool held : {false, true}) {
        const std::string how = held ? "Enter held" : "Enter twice";
        LauncherRun run(layout);
        HWND main = run.WaitWindow(WindowId::frmMain);
        if (!main || !Expect(e2e::WaitForeground(main), "frmMain is the foreground window")) return;
        if (held) {
            e2e::HoldKey(VK_RETURN, kCueMs + 1000);  // past the cue, into the profile window
        } else {
            e2e::PressKey(VK_RETURN);
            Sleep(400);
            e2e::PressKey(VK_RETURN);
        }
        HWND games = run.WaitWindow(WindowId::Games, kCueMs + 8000);
        // A press in the profile window starts a game at once: no start cue.
        Sleep(1500);
        Expect(games && IsWindowVisible(games) && run.Running(), how + ": the profile window stands");
        ExpectEq(layout.Log().Read().size(), std::size_t{0}, how + ": programs started");
        run.Kill();
    }
}

}  // namespace
}  // namespace kr2::e2e
