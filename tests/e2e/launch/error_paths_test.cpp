// The real process launcher's result: the platform's error for a line it
// cannot start, a process id and no handle kept for one it can. What each
// error policy makes of a failed start in the real exe, and the unquoted-path
// hijack that must not happen, are the hardening group's launch targets.

#include <windows.h>

#include <string>

#include <gtest/gtest.h>
#include "launch_catalogue.h"
#include "launch_world.h"
#include "platform_queries.h"
#include "utf8.h"

using namespace kr2;
using namespace kr2::e2e;

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
