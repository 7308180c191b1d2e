// Launch targets that are missing, empty, text or a folder; programs planted
// where an unquoted path could reach them; a game in the working directory
// besides the one beside the launcher. Game starts fail silently, the readme
// and the home page show one run-time error box and the launcher then ends.

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "expect.h"
#include "files.h"
#include "outside_programs.h"
#include "launcher_run.h"
#include "message_boxes.h"
#include "window_probe.h"

namespace kr2::e2e {
namespace {

using HardeningLaunchTargets = LauncherTest;

constexpr unsigned kSettleMs = 1500;

struct BrokenTarget {
    const char* name;
    SwappedFile::Kind kind;
};

constexpr BrokenTarget kBroken[] = {
    {"missing", SwappedFile::Kind::Absent},
    {"0 bytes", SwappedFile::Kind::Empty},
    {"text file named .exe", SwappedFile::Kind::Text},
    {"folder named like the exe", SwappedFile::Kind::Directory},
};

// What the platform says when asked to start `program` itself; a missing
// program is "file not found" whether or not its folder exists.
DWORD PlatformRefusal(const std::wstring& program) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring line = program;
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return ERROR_SUCCESS;
    }
    const DWORD code = GetLastError();
    return code == ERROR_PATH_NOT_FOUND ? ERROR_FILE_NOT_FOUND : code;
}

// Exactly one box, the launcher's, with the platform's number and text; the
// launcher waits on it and ends cleanly after OK.
void ExpectErrorBoxThenEnd(LauncherRun& run, DWORD code, const std::string& n) {
    HWND box = WaitMessageBox(8000);
    if (!Expect(box != nullptr, n + ": exactly one message box appears; seen " +
                                    std::to_string(VisibleMessageBoxes().size())))
        return;
    DWORD owner = 0;
    GetWindowThreadProcessId(box, &owner);
    ExpectEq(owner, run.Pid(), n + ": the box belongs to the launcher");
    ExpectEq(e2e::CaptionOf(box), std::wstring(L"kr2_s1"), n + ": caption");
    const std::wstring text = RunTimeErrorText(code);
    Expect(!text.ends_with(L':'), n + ": the platform has a text for error " + std::to_string(code));
    ExpectEq(MessageText(box), text, n + ": text");
    ExpectEq(ButtonCount(box), 1, n + ": buttons");
    ExpectEq(e2e::TextOf(GetDlgItem(box, IDOK)), std::wstring(L"OK"), n + ": its button");
    ExpectEq(ShownIcon(box), std::string("error"), n + ": its icon");
    Expect(!run.WaitExit(300), n + ": the launcher waits while the box is up");
    PressOk(box);
    ExpectCleanEnd(run.Pid(), n + ", after OK");
    ExpectNoMessageBox(n + ", after OK");
}

void GameEntriesEndSilently(const BrokenTarget& t) {
    const std::string n = std::string("game exes ") + t.name;
    GameLayout layout(L"hardening_game_targets");
    SwappedFile sp(layout.GameDir() + L"\\kr2sp.exe", t.kind);
    SwappedFile mp(layout.GameDir() + L"\\kr2mp.exe", t.kind);
    LauncherRun run(layout);
    HWND options = run.Open(WindowId::Options);
    HWND main = run.WaitWindow(WindowId::frmMain);
    if (!options || !main) return;
    run.Press(main, WindowId::frmMain, L"&Start Kestrane II Multiplayer");
    Expect(run.WaitGone(WindowId::frmMain), n + ": Multiplayer closes the main window");
    Expect(run.Running() && IsWindowVisible(options), n + ": the options window stays and the launcher runs on");
    ExpectNoMessageBox(n + ", Multiplayer");
    run.Press(options, WindowId::Options, L"KR2 SP (Safe Mode)");
    ExpectCleanEnd(run.Pid(), n + ", KR2 SP (Safe Mode)");
    ExpectNoMessageBox(n + ", KR2 SP (Safe Mode)");
    ExpectEq(layout.Log().WaitFor(1, kSettleMs).size(), std::size_t{0}, n + ": programs started");
}

void MainWindowEntryShowsOneBox(const BrokenTarget& t, const wchar_t* button, std::vector<std::wstring> programs) {
    const std::string n = e2e::Describe(std::wstring_view(button)) + " with " + t.name;
    GameLayout layout(L"hardening_main_targets");
    std::vector<std::unique_ptr<SwappedFile>> broken;
    for (const std::wstring& p : programs) broken.push_back(std::make_unique<SwappedFile>(p, t.kind));
    // The box reports the last program tried.
    const DWORD code = t.kind == SwappedFile::Kind::Absent ? ERROR_FILE_NOT_FOUND : PlatformRefusal(programs.back());
    Expect(code != ERROR_SUCCESS, n + ": the platform refuses to start it");
    std::printf("  note: %s: the platform's error is %lu\n", n.c_str(), static_cast<unsigned long>(code));
    LauncherRun run(layout);
    HWND main = run.WaitWindow(WindowId::frmMain);
    if (!main) return;
    run.Press(main, WindowId::frmMain, button);
    ExpectErrorBoxThenEnd(run, code, n);
    ExpectEq(layout.Log().WaitFor(1, kSettleMs).size(), std::size_t{0}, n + ": programs started");
}

TEST_F(HardeningLaunchTargets, BrokenLaunchTargets) {
    for (const BrokenTarget& t : kBroken) {
        GameEntriesEndSilently(t);
        MainWindowEntryShowsOneBox(t, L"&Readme", {e2e::kNotepadPath, e2e::kNotepadNtPath});
        MainWindowEntryShowsOneBox(t, L"&Home Page", {e2e::kExplorerPath});
    }
}

// "C:\Program.exe" and "C:\Program Files\Internet.exe" are what a platform
// split of the unquoted Internet Explorer line would try first.
TEST_F(HardeningLaunchTargets, PlantedProgramsNeverRun) {
    SwappedFile program(L"C:\\Program.exe", SwappedFile::Kind::Stub);
    SwappedFile internet(L"C:\\Program Files\\Internet.exe", SwappedFile::Kind::Stub);
    {
        SwappedFile explorer(e2e::kExplorerPath, SwappedFile::Kind::Stub);
        const LauncherRun::EndsFirst ends{run};
        if (!Launch()) return;
        run.Press(main, WindowId::frmMain, L"&Home Page");
        ExpectCleanEnd(run.Pid(), "Home Page with the planted programs");
        const auto records = layout.Log().WaitFor(2, kSettleMs);
        if (ExpectEq(records.size(), std::size_t{1}, "Home Page: programs started"))
            Expect(e2e::SamePath(records[0].module, e2e::kExplorerPath),
                   "Home Page: Internet Explorer ran, not a planted program; seen " + e2e::Describe(records[0].module));
        ExpectNoMessageBox("Home Page with the planted programs");
    }
    {
        SwappedFile explorer(e2e::kExplorerPath, SwappedFile::Kind::Absent);
        const LauncherRun::EndsFirst ends{run};
        if (!Launch()) return;
        run.Press(main, WindowId::frmMain, L"&Home Page");
        ExpectErrorBoxThenEnd(run, ERROR_FILE_NOT_FOUND, "Home Page without Internet Explorer, planted programs");
        ExpectEq(layout.Log().WaitFor(1, kSettleMs).size(), std::size_t{0},
                 "Home Page without Internet Explorer: programs started");
    }
}

// The program search looks beside the launcher before the working directory.
TEST_F(HardeningLaunchTargets, ProgramBesideLauncherWins) {
    GameLayout layout(L"hardening_beside");
    e2e::TempRoot elsewhere(L"hardening_beside_cwd");
    e2e::PlaceStub(elsewhere / L"kr2sp.exe");
    LauncherRun run(layout.GameDir() + L"\\kr2_s1.exe", elsewhere.path(), layout.Log());
    HWND games = run.Open(WindowId::Games);
    if (!games) return;
    run.Press(games, WindowId::Games, L"&Player 4");
    ExpectCleanEnd(run.Pid(), "Player 4 started from another directory");
    const auto records = layout.Log().WaitFor(2, kSettleMs);
    if (!ExpectEq(records.size(), std::size_t{1}, "Player 4: programs started")) return;
    // The kr2sp.exe beside the launcher, in the launcher's working directory.
    ExpectRan(records[0], "Player 4", layout.GameDir() + L"\\kr2sp.exe", elsewhere.path());
    ExpectNoMessageBox("Player 4 started from another directory");
}

}  // namespace
}  // namespace kr2::e2e
