// Failed starts with the real process launcher: what each error policy makes
// of the platform's error, and the unquoted-path hijack that must not happen.

#include <windows.h>

#include <string>

#include "check.h"
#include "launch_catalogue.h"
#include "launch_world.h"

using namespace kr2;
using namespace kr2::launch_e2e;
using kr2::e2e::SwappedFile;

namespace {

// Long enough for a wrongly started stub to have written its record.
constexpr unsigned kSettleMs = 1500;

void CheckFileNotFoundBoxThenEnd(const LaunchWorld& world) {
    if (!KR2_CHECK_EQ(world.errorBox.shown.size(), std::size_t{1})) return;
    const LaunchError& error = world.errorBox.shown[0];
    KR2_CHECK_EQ(error.code, std::uint32_t{ERROR_FILE_NOT_FOUND});
    KR2_CHECK_EQ(error.description, SystemErrorText(ERROR_FILE_NOT_FOUND));
    KR2_CHECK(!error.description.empty());
    KR2_CHECK(error.description.back() != L'\n' && error.description.back() != L'\r' &&
              error.description.back() != L' ');
    KR2_CHECK_EQ(world.order.size(), std::size_t{2});
    KR2_CHECK(world.order == (std::vector<std::string>{"box", "end"}));
    KR2_CHECK_EQ(world.window.unloads, 0);
}

}  // namespace

KR2_E2E_TEST(BothNotepadsAbsentShowsErrorTwoThenEnds) {
    LaunchWorld world(L"no-notepad");
    SwappedFile notepad(kNotepadPath, SwappedFile::Kind::Absent);
    SwappedFile notepadNt(kNotepadNtPath, SwappedFile::Kind::Absent);

    world.Run(LaunchCatalogue("ReadmeOpen"));
    CheckFileNotFoundBoxThenEnd(world);
    KR2_CHECK(world.Log().WaitFor(1, kSettleMs).empty());
}

KR2_E2E_TEST(HomePageWithoutExplorerShowsErrorTwoThenEnds) {
    LaunchWorld world(L"no-explorer");
    SwappedFile explorer(kExplorerPath, SwappedFile::Kind::Absent);

    world.Run(LaunchCatalogue("HomePageOpen"));
    CheckFileNotFoundBoxThenEnd(world);
    KR2_CHECK(world.Log().WaitFor(1, kSettleMs).empty());
}

// With the launcher leaving the program to the platform's split of an
// unquoted line, "C:\Program.exe" would run with "Files\Internet ..." as
// its arguments.
KR2_E2E_TEST(PlantedProgramExeIsNeverRun) {
    LaunchWorld world(L"hijack");
    SwappedFile planted(L"C:\\Program.exe", SwappedFile::Kind::Stub);
    SwappedFile plantedDeeper(L"C:\\Program Files\\Internet.exe", SwappedFile::Kind::Stub);
    {
        SwappedFile explorer(kExplorerPath, SwappedFile::Kind::Stub);
        world.Run(LaunchCatalogue("HomePageOpen"));
        const auto records = world.Log().WaitFor(2, kSettleMs * 2);
        if (KR2_CHECK_EQ(records.size(), std::size_t{1})) {
            if (!SamePath(records[0].module, kExplorerPath)) KR2_CHECK_EQ(records[0].module, kExplorerPath);
            KR2_CHECK_EQ(records[0].commandLine, std::wstring(kHomePageLine.view()));
        }
        KR2_CHECK(world.errorBox.shown.empty());
        KR2_CHECK_EQ(world.end.calls, 1);
    }
    // Explorer missing as well: still a plain "not found", and no stand-in runs.
    world.Log().Clear();
    world.order.clear();
    world.end.calls = 0;
    {
        SwappedFile explorer(kExplorerPath, SwappedFile::Kind::Absent);
        world.Run(LaunchCatalogue("HomePageOpen"));
        CheckFileNotFoundBoxThenEnd(world);
        KR2_CHECK(world.Log().WaitFor(1, kSettleMs).empty());
    }
}

KR2_E2E_TEST(AbsentGameIsIgnoredAndTheFollowUpRuns) {
    LaunchWorld world(L"no-game");
    DeleteFileW(LaunchWorld::GameExe(L"kr2sp.exe").c_str());
    DeleteFileW(LaunchWorld::GameExe(L"kr2mp.exe").c_str());

    world.Run(LaunchCatalogue("ProfileStart3"));
    KR2_CHECK(world.errorBox.shown.empty());
    KR2_CHECK_EQ(world.end.calls, 1);
    KR2_CHECK_EQ(world.window.unloads, 0);

    world.end.calls = 0;
    world.Run(LaunchCatalogue("MultiplayerStart"));
    KR2_CHECK(world.errorBox.shown.empty());
    KR2_CHECK_EQ(world.end.calls, 0);
    KR2_CHECK_EQ(world.window.unloads, 1);
    KR2_CHECK(world.Log().WaitFor(1, kSettleMs).empty());
}

// The launcher reports the platform's error for a line it cannot start and
// gives back a process id for one it can.
KR2_E2E_TEST(LauncherResultCarriesPidOrError) {
    LaunchWorld world(L"result");
    const LaunchResult started = world.launcher.LaunchProcess(L"kr2sp.exe  safe", ShowState::ShowMinimized);
    KR2_CHECK(started.started);
    const auto records = world.Log().WaitFor(1);
    if (KR2_CHECK_EQ(records.size(), std::size_t{1})) KR2_CHECK_EQ(records[0].processId, started.processId);

    // A missing directory is "file not found" too, as for a missing file.
    const LaunchResult missing = world.launcher.LaunchProcess(L"C:\\kr2e2e\\nowhere\\x.exe a", ShowState::ShowNormal);
    KR2_CHECK(!missing.started);
    KR2_CHECK_EQ(missing.error.code, std::uint32_t{ERROR_FILE_NOT_FOUND});
    KR2_CHECK_EQ(missing.error.description, SystemErrorText(ERROR_FILE_NOT_FOUND));

    const LaunchResult bare = world.launcher.LaunchProcess(L"kr2nothere.exe  safe", ShowState::ShowMinimized);
    KR2_CHECK(!bare.started);
    KR2_CHECK_EQ(bare.error.code, std::uint32_t{ERROR_FILE_NOT_FOUND});
}

// Nothing of a started process is kept: once the stub has ended, its
// process id no longer opens, which a handle left open would prevent.
// (Wine has no working GetProcessHandleCount to count with.)
KR2_E2E_TEST(StartsLeaveNoHandlesBehind) {
    LaunchWorld world(L"handles");
    const LaunchResult started = world.launcher.LaunchProcess(L"kr2sp.exe  safe", ShowState::ShowMinimized);
    if (!KR2_CHECK(started.started)) return;
    KR2_CHECK_EQ(world.Log().WaitFor(1).size(), std::size_t{1});
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
    KR2_CHECK(gone);
}
