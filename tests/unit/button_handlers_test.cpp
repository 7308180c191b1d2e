#include <gtest/gtest.h>

#include <map>
#include <set>

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

TEST_F(ButtonOrderTest, LaunchButtonsPlayTheEntryCueThenStartThenFollowUp) {
    rig.Open(WindowId::Games);
    rig.Click(WindowId::Games, "Command1");
    EXPECT_EQ(rig.log, Then(CueEvents("start"),
                            {LaunchEvent(LaunchCatalogue("ProfileStart1")), "end"}));
}

TEST_F(ButtonOrderTest, GameStartFailureStillEndsSilently) {
    rig.Open(WindowId::Options);
    rig.processes.Fail(L"kr2sp.exe  safe", 2, L"not found");
    rig.Click(WindowId::Options, "Command2");
    EXPECT_EQ(rig.log, Then(CueEvents("start"), {"launch kr2sp.exe  safe show=2", "end"}));
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

TEST_F(ButtonOrderTest, ExitPlaysBackThenEnds) {
    rig.Click(WindowId::frmMain, "Command2");
    EXPECT_EQ(rig.log, Then(CueEvents("back"), {"end"}));
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

// Which control of which window runs each catalogue entry, found by
// clicking every control of every window in a fresh launcher.
struct Binding {
    WindowId window;
    std::string control;
};

std::map<std::string, std::vector<Binding>> WalkAllControls() {
    std::map<std::string, std::vector<Binding>> byLaunch;
    for (WindowId window : {WindowId::frmMain, WindowId::Games, WindowId::Options,
                            WindowId::spmaps, WindowId::frmAbout}) {
        const auto controls = DescriptionOf(window).controls;
        for (const ControlSpec& control : controls) {
            test::LauncherRig rig;
            rig.StartAndClear();
            rig.Open(window);
            rig.Click(window, control.name);
            for (const std::string& event : rig.log) {
                if (event.rfind("launch ", 0) == 0) {
                    byLaunch[event].push_back({window, std::string(control.name)});
                    break;  // the first start names the entry
                }
            }
        }
    }
    return byLaunch;
}

TEST(EntryBinding, EveryEntryIsRunByExactlyItsOwnControl) {
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

    const auto byLaunch = WalkAllControls();
    EXPECT_EQ(byLaunch.size(), 36u);  // no control starts anything outside the catalogue
    for (const auto& [entryName, window, control] : expected) {
        SCOPED_TRACE(entryName);
        const auto found = byLaunch.find(LaunchEvent(LaunchCatalogue(entryName)));
        ASSERT_NE(found, byLaunch.end());
        ASSERT_EQ(found->second.size(), 1u);
        EXPECT_EQ(found->second[0].window, window);
        EXPECT_EQ(found->second[0].control, control);
    }
}

TEST(EntryBinding, EachLaunchButtonPlaysItsEntrysCueFirstAndRunsItsFollowUp) {
    for (const LaunchAction& entry : kLaunchCatalogue) {
        SCOPED_TRACE(std::string(entry.name));
        int runs = 0;
        for (WindowId window : {WindowId::frmMain, WindowId::Games, WindowId::Options,
                                WindowId::spmaps}) {
            for (const ControlSpec& control : DescriptionOf(window).controls) {
                test::LauncherRig rig;
                rig.StartAndClear();
                rig.Open(window);
                rig.Click(window, control.name);
                if (rig.log.size() < 3 || rig.log[2] != LaunchEvent(entry)) continue;
                ++runs;
                EventLog expected = Then(CueEvents(CueName(entry.cue)), {LaunchEvent(entry)});
                switch (entry.followUp) {
                    case FollowUp::EndProgram: expected.push_back("end"); break;
                    case FollowUp::CloseWindow:
                        expected.push_back("destroy " + std::string(WindowName(window)));
                        expected.push_back("quit");  // frmMain was the only window
                        break;
                    case FollowUp::Stay: break;
                }
                EXPECT_EQ(rig.log, expected);
            }
        }
        EXPECT_EQ(runs, 1);
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
