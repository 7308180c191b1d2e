#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "launch_catalogue.h"
#include "recording_fakes.h"

namespace kr2 {
namespace {

using test::CueEvents;
using test::EventLog;
using test::Then;

std::string LaunchEvent(const LaunchAction& e) {
    return "launch " + test::Narrow(e.commandLine) + " show=" +
           std::to_string(static_cast<int>(e.showState));
}

std::string CueName(SoundCue cue) {
    switch (cue) {
        case SoundCue::Open: return "open";
        case SoundCue::Click: return "click";
        case SoundCue::Start: return "start";
        case SoundCue::Back: return "back";
    }
    return {};
}

// Each kind of button: cue, action, follow-up, in that order.
class ButtonOrderTest : public ::testing::Test {
protected:
    void SetUp() override { rig.StartAndClear(); }
    test::LauncherRig rig;
};

TEST_F(ButtonOrderTest, ShowButtonsPlayClickThenShow) {
    const std::pair<const char*, WindowId> buttons[] = {
        {"Command1", WindowId::Games}, {"Command7", WindowId::Options}, {"Command5", WindowId::frmAbout}};
    for (const auto& [name, target] : buttons) {
        rig.log.clear();
        rig.Click(WindowId::frmMain, name);
        const std::string window(WindowName(target));
        EXPECT_EQ(rig.log, Then(CueEvents("click"), {"create " + window, "show " + window})) << name;
    }
}

TEST_F(ButtonOrderTest, CloseButtonsPlayBackThenUnloadTheirOwnWindowOnly) {
    const std::pair<WindowId, const char*> closers[] = {{WindowId::Games, "Command3"},
                                                        {WindowId::Options, "Command1"},
                                                        {WindowId::spmaps, "Command27"},
                                                        {WindowId::frmAbout, "Command1"}};
    for (const auto& [window, name] : closers) {
        rig.Open(window);
        rig.Click(window, name);
        EXPECT_EQ(rig.log, Then(CueEvents("back"), {"destroy " + std::string(WindowName(window))}))
            << WindowName(window);
        EXPECT_TRUE(rig.launcher.Registry().IsLoaded(WindowId::frmMain));
        rig.log.clear();
    }
}

TEST_F(ButtonOrderTest, AboutIconClosesWithoutACue) {
    rig.Open(WindowId::frmAbout);
    rig.Click(WindowId::frmAbout, "Image1");
    EXPECT_EQ(rig.log, (EventLog{"destroy frmAbout"}));
}

TEST_F(ButtonOrderTest, MissingCueFileDoesNotStopTheAction) {
    rig.probe.exists = false;
    rig.Click(WindowId::frmMain, "Command1");
    EXPECT_EQ(rig.log, (EventLog{"probe C:\\G\\..\\Install\\click.WAV", "create Games",
                                 "show Games"}));
}

// Clicks every control of every window, each in a fresh launcher with only
// frmMain and that window open, and keeps what each click did.
struct Click {
    WindowId window;
    std::string control;
    EventLog events;
};

std::vector<Click> ClickEveryControl() {
    std::vector<Click> clicks;
    for (WindowId window : kAllWindows) {
        for (const ControlSpec& control : ControlRowsOf(window)) {
            test::LauncherRig rig;
            rig.StartAndClear();
            rig.Open(window);
            rig.Click(window, control.name);
            clicks.push_back({window, std::string(control.name), rig.log});
        }
    }
    return clicks;
}

TEST(EntryBinding, EveryEntryIsRunByItsOwnControlAfterItsCueThenItsFollowUp) {
    std::vector<std::tuple<std::string, WindowId, std::string>> expected = {
        {"MultiplayerStart", WindowId::frmMain, "Command6"},
        {"ReadmeOpen", WindowId::frmMain, "Command3"},
        {"HomePageOpen", WindowId::frmMain, "Command4"},
        {"ProfileStart1", WindowId::Games, "Command1"},
        {"ProfileStart2", WindowId::Games, "Command2"},
        {"ProfileStart3", WindowId::Games, "Command4"},
        {"ProfileStart4", WindowId::Games, "Command5"},
        {"ProfileStart5", WindowId::Games, "Command6"},
        {"SafeModeSingle", WindowId::Options, "Command2"},
        {"SafeModeMulti", WindowId::Options, "Command3"},
    };
    for (int n = 1; n <= 26; ++n) {
        expected.emplace_back("LevelStart" + std::to_string(n), WindowId::spmaps,
                              "Command" + std::to_string(n));
    }
    ASSERT_EQ(expected.size(), kLaunchCatalogue.size());

    const std::vector<Click> clicks = ClickEveryControl();
    std::size_t launching = 0;
    for (const Click& click : clicks) {
        launching += std::count_if(click.events.begin(), click.events.end(),
                                   [](const std::string& e) { return e.rfind("launch ", 0) == 0; });
    }
    EXPECT_EQ(launching, 36u);  // one start per entry, none anywhere else

    for (const auto& [entryName, window, control] : expected) {
        SCOPED_TRACE(entryName);
        const LaunchAction& entry = LaunchCatalogue(entryName);
        // The bindings are captured through references of their own: a lambda
        // may name a structured binding directly only from clang 16 on.
        const auto click = std::find_if(clicks.begin(), clicks.end(),
                                        [&wantWindow = window, &wantControl = control](const Click& c) {
                                            return c.window == wantWindow && c.control == wantControl;
                                        });
        ASSERT_NE(click, clicks.end());
        EventLog want = Then(CueEvents(CueName(entry.cue)), {LaunchEvent(entry)});
        switch (entry.followUp) {
            case FollowUp::EndProgram: want.push_back("end"); break;
            case FollowUp::CloseWindow:  // frmMain was the only window left
                want.insert(want.end(), {"destroy " + std::string(WindowName(window)), "quit"});
                break;
            case FollowUp::Stay: break;
        }
        EXPECT_EQ(click->events, want);
    }
}

TEST(EntryBinding, PlayerThreeIsCommandFour) {
    test::LauncherRig rig;
    rig.StartAndClear();
    rig.Open(WindowId::Games);
    rig.Click(WindowId::Games, "Command4");
    EXPECT_EQ(rig.log, Then(CueEvents("start"),
                            {"launch kr2sp.exe   +set fs_game players_kr2\\Player3_saves show=2",
                             "end"}));
}

}  // namespace
}  // namespace kr2
