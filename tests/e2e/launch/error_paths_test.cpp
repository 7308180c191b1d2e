// Failed starts with the real process launcher: what each error policy makes
// of the platform's error, and the unquoted-path hijack that must not happen.

#include <windows.h>

#include <string>

#include <gtest/gtest.h>
#include "launch_catalogue.h"
#include "launch_world.h"
#include "platform_queries.h"
#include "utf8.h"

using namespace kr2;
using namespace kr2::e2e;

namespace {

// Long enough for a wrongly started stub to have written its record.
constexpr unsigned kSettleMs = 1500;

void CheckFileNotFoundBoxThenEnd(const LaunchWorld& world) {
    ASSERT_EQ(world.errorBox.shown.size(), std::size_t{1});
    const LaunchError& error = world.errorBox.shown[0];
    EXPECT_EQ(error.code, std::uint32_t{ERROR_FILE_NOT_FOUND});
    EXPECT_EQ(ToUtf8(error.description), ToUtf8(SystemErrorText(ERROR_FILE_NOT_FOUND)));
    EXPECT_TRUE(!error.description.empty());
    EXPECT_TRUE(error.description.back() != L'\n' && error.description.back() != L'\r' &&
                error.description.back() != L' ');
    EXPECT_EQ(world.order.size(), std::size_t{2});
    EXPECT_TRUE(world.order == (std::vector<std::string>{"box", "end"}));
    EXPECT_EQ(world.window.unloads, 0);
}

}  // namespace

TEST(LaunchErrors, BothNotepadsAbsentShowsErrorTwoThenEnds) {
    LaunchWorld world(L"no-notepad");
    SwappedFile notepad(kNotepadPath, SwappedFile::Kind::Absent);
    SwappedFile notepadNt(kNotepadNtPath, SwappedFile::Kind::Absent);

    world.Run(LaunchCatalogue("ReadmeOpen"));
    CheckFileNotFoundBoxThenEnd(world);
    EXPECT_TRUE(world.Log().WaitFor(1, kSettleMs).empty());
}

TEST(LaunchErrors, HomePageWithoutExplorerShowsErrorTwoThenEnds) {
    LaunchWorld world(L"no-explorer");
    SwappedFile explorer(kExplorerPath, SwappedFile::Kind::Absent);

    world.Run(LaunchCatalogue("HomePageOpen"));
    CheckFileNotFoundBoxThenEnd(world);
    EXPECT_TRUE(world.Log().WaitFor(1, kSettleMs).empty());
}

// With the launcher leaving the program to the platform's split of an
// unquoted line, "C:\Program.exe" would run with "Files\Internet ..." as
// its arguments.
TEST(LaunchErrors, PlantedProgramExeIsNeverRun) {
    LaunchWorld world(L"hijack");
    SwappedFile planted(L"C:\\Program.exe", SwappedFile::Kind::Stub);
    SwappedFile plantedDeeper(L"C:\\Program Files\\Internet.exe", SwappedFile::Kind::Stub);
    {
        SwappedFile explorer(kExplorerPath, SwappedFile::Kind::Stub);
        world.Run(LaunchCatalogue("HomePageOpen"));
        const auto records = world.Log().WaitFor(2, kSettleMs * 2);
        EXPECT_EQ(records.size(), std::size_t{1});
        if (records.size() == 1) {
            EXPECT_TRUE(SamePath(records[0].module, kExplorerPath)) << e2e::Describe(records[0].module);
            EXPECT_EQ(ToUtf8(records[0].commandLine), ToUtf8(kHomePageLine.view()));
        }
        EXPECT_TRUE(world.errorBox.shown.empty());
        EXPECT_EQ(world.end.calls, 1);
    }
    // Explorer missing as well: still a plain "not found", and no stand-in runs.
    world.Log().Clear();
    world.order.clear();
    world.end.calls = 0;
    {
        SwappedFile explorer(kExplorerPath, SwappedFile::Kind::Absent);
        world.Run(LaunchCatalogue("HomePageOpen"));
        CheckFileNotFoundBoxThenEnd(world);
        EXPECT_TRUE(world.Log().WaitFor(1, kSettleMs).empty());
    }
}

TEST(LaunchErrors, AbsentGameIsIgnoredAndTheFollowUpRuns) {
    LaunchWorld world(L"no-game");
    DeleteFileW(LaunchWorld::GameExe(L"kr2sp.exe").c_str());
    DeleteFileW(LaunchWorld::GameExe(L"kr2mp.exe").c_str());

    world.Run(LaunchCatalogue("ProfileStart3"));
    EXPECT_TRUE(world.errorBox.shown.empty());
    EXPECT_EQ(world.end.calls, 1);
    EXPECT_EQ(world.window.unloads, 0);

    world.end.calls = 0;
    world.Run(LaunchCatalogue("MultiplayerStart"));
    EXPECT_TRUE(world.errorBox.shown.empty());
    EXPECT_EQ(world.end.calls, 0);
    EXPECT_EQ(world.window.unloads, 1);
    EXPECT_TRUE(world.Log().WaitFor(1, kSettleMs).empty());
}

// The launcher reports the platform's error for a line it cannot start and
// gives back a process id for one it can.
TEST(LaunchErrors, LauncherResultCarriesPidOrError) {
    LaunchWorld world(L"result");
    const LaunchResult started = world.launcher.LaunchProcess(L"kr2sp.exe  safe", ShowState::ShowMinimized);
    EXPECT_TRUE(started.started);
    const auto records = world.Log().WaitFor(1);
    EXPECT_EQ(records.size(), std::size_t{1});
    if (records.size() == 1) {
        EXPECT_EQ(records[0].processId, started.processId);
    }

    // A missing directory is "file not found" too, as for a missing file.
    const LaunchResult missing = world.launcher.LaunchProcess(L"C:\\kr2e2e\\nowhere\\x.exe a", ShowState::ShowNormal);
    EXPECT_TRUE(!missing.started);
    EXPECT_EQ(missing.error.code, std::uint32_t{ERROR_FILE_NOT_FOUND});
    EXPECT_EQ(ToUtf8(missing.error.description), ToUtf8(SystemErrorText(ERROR_FILE_NOT_FOUND)));

    const LaunchResult bare = world.launcher.LaunchProcess(L"kr2nothere.exe  safe", ShowState::ShowMinimized);
    EXPECT_TRUE(!bare.started);
    EXPECT_EQ(bare.error.code, std::uint32_t{ERROR_FILE_NOT_FOUND});
}

// Nothing of a started process is kept: once the stub has ended, its
// process id no longer opens, which a handle left open would prevent.
// (Wine has no working GetProcessHandleCount to count with.)
TEST(LaunchErrors, StartsLeaveNoHandlesBehind) {
    LaunchWorld world(L"handles");
    const LaunchResult started = world.launcher.LaunchProcess(L"kr2sp.exe  safe", ShowState::ShowMinimized);
    ASSERT_TRUE(started.started);
    EXPECT_EQ(world.Log().WaitFor(1).size(), std::size_t{1});
    bool gone = false;
    for (int i = 0; i < 250 && !gone; ++i) {
        HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, started.processId);
        if (h == nullptr) {
            gone = true;
        } else {
            CloseHandle(h);
            Sleep(20);
        }
    }
    EXPECT_TRUE(gone);
}
