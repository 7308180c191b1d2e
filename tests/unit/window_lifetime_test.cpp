#include <gtest/gtest.h>

#include "launch_catalogue.h"
#include "recording_fakes.h"
#include "window_registry.h"

namespace kr2 {
namespace {

using test::CueEvents;
using test::EventLog;
using test::Then;
using State = WindowRegistry::State;

class RegistryTest : public ::testing::Test {
protected:
    EventLog log;
    test::FakeScreen screen{log};
    test::FakeProgramEnd end{log};
    WindowRegistry registry{screen, end};
};

TEST_F(RegistryTest, FirstShowCreatesAndShowsLaterShowsOnlyBringToFront) {
    EXPECT_EQ(registry.StateOf(WindowId::Games), State::NotLoaded);
    registry.Show(WindowId::Games);
    EXPECT_EQ(log, (EventLog{"create Games", "show Games"}));
    EXPECT_EQ(registry.StateOf(WindowId::Games), State::Loaded);

    log.clear();
    registry.Show(WindowId::Games);
    registry.Show(WindowId::Games);
    EXPECT_EQ(log, (EventLog{"front Games", "front Games"}));
}

TEST_F(RegistryTest, UnloadDestroysAndTheNextShowBuildsAFreshWindow) {
    registry.Show(WindowId::Options);
    registry.Unload(WindowId::Options);
    EXPECT_FALSE(registry.IsLoaded(WindowId::Options));
    EXPECT_FALSE(registry.AnyLoaded());
    registry.Unload(WindowId::Options);  // already gone: nothing happens
    registry.Show(WindowId::Options);
    EXPECT_EQ(log, (EventLog{"create Options", "show Options", "destroy Options",
                             "create Options", "show Options"}));
}

TEST_F(RegistryTest, AFailedCreateLeavesTheWindowNotLoaded) {
    screen.failCreate = true;
    EXPECT_THROW(registry.Show(WindowId::frmAbout), RunTimeFailure);
    EXPECT_FALSE(registry.AnyLoaded());
    EXPECT_EQ(log, (EventLog{"create frmAbout"}));
}

TEST_F(RegistryTest, EndProgramGoesToThePort) {
    registry.Show(WindowId::Games);
    log.clear();
    registry.EndProgram();
    EXPECT_EQ(log, (EventLog{"end"}));
}

// The launcher as a whole: start-up, clicks, close boxes and the end.
class LifetimeTest : public ::testing::Test {
protected:
    test::LauncherRig rig;
};

TEST_F(LifetimeTest, StartUpPlaysOpenWhileTheMainWindowIsStillHidden) {
    rig.launcher.Start();
    EXPECT_EQ(rig.log, Then(Then({"create frmMain"}, CueEvents("open")), {"show frmMain"}));
    EXPECT_EQ(rig.launcher.Registry().StateOf(WindowId::frmMain), State::Loaded);
}

TEST_F(LifetimeTest, StartUpWithoutTheCueFileShowsAtOnce) {
    rig.probe.exists = false;
    rig.launcher.Start();
    EXPECT_EQ(rig.log, (EventLog{"create frmMain", "probe C:\\G\\..\\Install\\open.WAV",
                                 "show frmMain"}));
}

TEST_F(LifetimeTest, AWindowClosedDuringItsLoadIsNeverShown) {
    rig.player.whilePlaying = [&] { rig.launcher.OnCloseRequest(WindowId::frmMain); };
    rig.launcher.Start();
    EXPECT_EQ(rig.log, Then(Then({"create frmMain"}, CueEvents("open")),
                            {"destroy frmMain", "quit"}));
    EXPECT_FALSE(rig.launcher.Registry().AnyLoaded());
}

TEST_F(LifetimeTest, MultiplayerBesideAboutKeepsRunningUntilAboutIsClosed) {
    rig.StartAndClear();
    rig.Open(WindowId::frmAbout);
    rig.Click(WindowId::frmMain, "Command6");
    EXPECT_EQ(rig.log, Then(CueEvents("start"), {"launch kr2mp.exe show=2", "destroy frmMain"}));

    rig.log.clear();
    rig.launcher.OnCloseRequest(WindowId::frmAbout);  // the close box: no cue
    EXPECT_EQ(rig.log, (EventLog{"destroy frmAbout", "quit"}));
}

TEST_F(LifetimeTest, CloseBoxOnTheMainWindowLeavesTheOthersOpen) {
    rig.StartAndClear();
    rig.Open(WindowId::Games);
    rig.launcher.OnCloseRequest(WindowId::frmMain);
    EXPECT_EQ(rig.log, (EventLog{"destroy frmMain"}));
    rig.launcher.OnCloseRequest(WindowId::frmMain);  // a second request for a gone window
    EXPECT_EQ(rig.log, (EventLog{"destroy frmMain"}));

    rig.Click(WindowId::Games, "Command3");
    EXPECT_EQ(rig.log, Then(Then({"destroy frmMain"}, CueEvents("back")),
                            {"destroy Games", "quit"}));
}

TEST_F(LifetimeTest, OnlyTheOutermostHandlerEndsTheMessageLoop) {
    rig.StartAndClear();
    rig.Open(WindowId::Games);
    // The main window's close box is handled while Games' Close is still running.
    rig.screen.whileDestroying = [&](WindowId id) {
        if (id == WindowId::Games) rig.launcher.OnCloseRequest(WindowId::frmMain);
    };
    rig.Click(WindowId::Games, "Command3");
    EXPECT_EQ(rig.log, Then(CueEvents("back"), {"destroy Games", "destroy frmMain", "quit"}));
}

TEST_F(LifetimeTest, NoClickRunsWhileTheRunTimeErrorBoxIsUp) {
    rig.StartAndClear();
    rig.processes.Fail(kHomePageLine.view(), 2, L"not found");
    // Clicks queued behind Home Page reach the windows while its box is up.
    rig.errorBox.whileShowing = [&] {
        rig.Click(WindowId::frmMain, "Command3");  // Readme
        rig.Click(WindowId::frmMain, "Command5");  // About
    };
    rig.Click(WindowId::frmMain, "Command4");
    EXPECT_EQ(rig.log, Then(CueEvents("click"),
                            {"launch C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE http://www.kestrane2.com/ show=1",
                             "errorbox 2 not found", "end"}));
    EXPECT_FALSE(rig.launcher.Registry().IsLoaded(WindowId::frmAbout));
}

TEST_F(LifetimeTest, SpLevelsShowsTheLevelWindowBeforeClosingOptions) {
    rig.StartAndClear();
    rig.Open(WindowId::Options);
    rig.Click(WindowId::Options, "Command4");
    EXPECT_EQ(rig.log, Then(CueEvents("click"), {"create spmaps", "show spmaps", "destroy Options"}));
    EXPECT_FALSE(rig.launcher.Registry().IsLoaded(WindowId::Options));

    // With the main window gone, SP Levels still never leaves the program windowless.
    rig.launcher.OnCloseRequest(WindowId::frmMain);
    rig.Click(WindowId::frmMain, "Command7");  // gone: ignored
    rig.log.clear();
    rig.launcher.OnCloseRequest(WindowId::spmaps);
    EXPECT_EQ(rig.log, (EventLog{"destroy spmaps", "quit"}));
}

TEST_F(LifetimeTest, SpLevelsWithTheLevelWindowOpenBringsItForward) {
    rig.StartAndClear();
    rig.Open(WindowId::spmaps);
    rig.Open(WindowId::Options);
    rig.Click(WindowId::Options, "Command4");
    EXPECT_EQ(rig.log, Then(CueEvents("click"), {"front spmaps", "destroy Options"}));
}

TEST_F(LifetimeTest, ShowOfAnOpenWindowPlaysItsCueAndOnlyBringsItForward) {
    rig.StartAndClear();
    rig.Open(WindowId::Options);
    rig.Click(WindowId::frmMain, "Command7");
    EXPECT_EQ(rig.log, Then(CueEvents("click"), {"front Options"}));
}

TEST_F(LifetimeTest, StrayClicksAreIgnored) {
    rig.StartAndClear();
    rig.launcher.OnClick(WindowId::Games, 0);     // not loaded
    rig.launcher.OnClick(WindowId::frmMain, -1);  // no such control
    rig.launcher.OnClick(WindowId::frmMain, 8);
    rig.launcher.OnClick(WindowId::frmMain, 1000);
    rig.Click(WindowId::frmMain, "Picture1");  // no handler
    rig.launcher.OnCloseRequest(WindowId::spmaps);
    EXPECT_TRUE(rig.log.empty());
    EXPECT_TRUE(rig.launcher.Registry().IsLoaded(WindowId::frmMain));
}

TEST_F(LifetimeTest, ExitEndsWithoutAnythingAfterIt) {
    rig.StartAndClear();
    rig.Open(WindowId::Games);
    rig.Click(WindowId::frmMain, "Command2");
    EXPECT_EQ(rig.log, Then(CueEvents("back"), {"end"}));
}

TEST_F(LifetimeTest, ReadmeStaysOpenAndCanBePressedAgain) {
    rig.StartAndClear();
    rig.Click(WindowId::frmMain, "Command3");
    rig.Click(WindowId::frmMain, "Command3");
    const EventLog once =
        Then(CueEvents("click"), {"launch C:\\Windows\\Notepad.exe ..\\Install\\readme.txt show=1"});
    EXPECT_EQ(rig.log, Then(once, once));
    EXPECT_TRUE(rig.launcher.Registry().IsLoaded(WindowId::frmMain));
}

TEST_F(LifetimeTest, AFailingShowPropagatesAndLeavesTheWindowUnloaded) {
    rig.StartAndClear();
    rig.screen.failCreate = true;
    EXPECT_THROW(rig.Click(WindowId::frmMain, "Command5"), RunTimeFailure);
    EXPECT_FALSE(rig.launcher.Registry().IsLoaded(WindowId::frmAbout));
    // The launcher still handles the next click normally.
    rig.screen.failCreate = false;
    rig.log.clear();
    rig.Click(WindowId::frmMain, "Command5");
    EXPECT_EQ(rig.log, Then(CueEvents("click"), {"create frmAbout", "show frmAbout"}));
}

}  // namespace
}  // namespace kr2
