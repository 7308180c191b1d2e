#include <gtest/gtest.h>

#include "launch_catalogue.h"
#include "recording_fakes.h"
#include "run_launch_action.h"

namespace kr2 {
namespace {

using test::EventLog;

class RunLaunchActionTest : public ::testing::Test {
protected:
    EventLog Run(const LaunchAction& entry) {
        log.clear();
        RunLaunchAction(entry, owner, LaunchPorts{processes, errorBox, end});
        return log;
    }
    static LaunchAction Entry(ErrorPolicy policy, FollowUp followUp,
                              std::wstring_view fallback = {}) {
        return {"Probe", L"prog.exe  arg", ShowState::ShowMinimized, policy, followUp, fallback,
                SoundCue::Start};
    }
    EventLog log;
    test::FakeProcessLauncher processes{log};
    test::FakeErrorBox errorBox{log};
    test::FakeProgramEnd end{log};
    test::FakeOwner owner{log};
};

TEST_F(RunLaunchActionTest, IgnoreErrorsRunsTheFollowUpWhetherOrNotTheStartWorked) {
    const EventLog launched{"launch prog.exe  arg show=2"};
    for (bool fails : {false, true}) {
        processes.failures.clear();
        if (fails) processes.Fail(L"prog.exe  arg", 2, L"not found");
        EXPECT_EQ(Run(Entry(ErrorPolicy::IgnoreErrors, FollowUp::EndProgram)),
                  test::Then(launched, {"end"}));
        EXPECT_EQ(Run(Entry(ErrorPolicy::IgnoreErrors, FollowUp::CloseWindow)),
                  test::Then(launched, {"unload owner"}));
        EXPECT_EQ(Run(Entry(ErrorPolicy::IgnoreErrors, FollowUp::Stay)), launched);
    }
}

TEST_F(RunLaunchActionTest, ReadmeFallbackStartsWithTheSameShowStateThenEnds) {
    processes.Fail(kReadmeLine.view(), 2, L"first missing");
    EXPECT_EQ(Run(LaunchCatalogue("ReadmeOpen")),
              (EventLog{"launch C:\\Windows\\Notepad.exe ..\\Install\\readme.txt show=1",
                        "launch C:\\WinNT\\Notepad.exe ..\\Install\\readme.txt show=1", "end"}));
}

TEST_F(RunLaunchActionTest, ReadmeWithBothNotepadsMissingReportsTheFallbacksError) {
    processes.Fail(kReadmeLine.view(), 2, L"first missing");
    processes.Fail(kReadmeFallbackLine.view(), 3, L"second missing");
    EXPECT_EQ(Run(LaunchCatalogue("ReadmeOpen")),
              (EventLog{"launch C:\\Windows\\Notepad.exe ..\\Install\\readme.txt show=1",
                        "launch C:\\WinNT\\Notepad.exe ..\\Install\\readme.txt show=1",
                        "errorbox 3 second missing", "end"}));
}

TEST_F(RunLaunchActionTest, UnhandledFailureShowsTheBoxEndsAndSkipsTheFollowUp) {
    // CloseWindow would show up as "unload owner" if the follow-up ran.
    processes.Fail(L"prog.exe  arg", 5, L"Access is denied.");
    EXPECT_EQ(Run(Entry(ErrorPolicy::Unhandled, FollowUp::CloseWindow)),
              (EventLog{"launch prog.exe  arg show=2", "errorbox 5 Access is denied.", "end"}));
}

TEST_F(RunLaunchActionTest, HomePageEndsAfterSuccessAndAfterTheErrorBox) {
    const std::string line =
        "launch C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE http://www.kestrane2.com/ show=1";
    EXPECT_EQ(Run(LaunchCatalogue("HomePageOpen")), (EventLog{line, "end"}));

    processes.Fail(kHomePageLine.view(), 2, L"The system cannot find the file specified.");
    EXPECT_EQ(Run(LaunchCatalogue("HomePageOpen")),
              (EventLog{line, "errorbox 2 The system cannot find the file specified.", "end"}));
}

TEST_F(RunLaunchActionTest, MultiplayerUnloadsTheOwnerEvenWhenTheStartFails) {
    const EventLog expected{"launch kr2mp.exe show=2", "unload owner"};
    EXPECT_EQ(Run(LaunchCatalogue("MultiplayerStart")), expected);
    processes.Fail(L"kr2mp.exe", 2, L"not found");
    EXPECT_EQ(Run(LaunchCatalogue("MultiplayerStart")), expected);
}

}  // namespace
}  // namespace kr2
