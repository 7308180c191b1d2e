// Every catalogue entry reached through its own button in the real launcher:
// what the started program saw (command line byte for byte, show state,
// working directory, which file ran) and what became of the launcher.

#include <array>
#include <string>
#include <string_view>

#include "expect.h"
#include "outside_programs.h"
#include "launcher_run.h"
#include "prefix_stub.h"
#include "window_probe.h"

namespace kr2::gui {
namespace {

struct GameEntry {
    const char* name;
    Win window;
    std::wstring_view button;
    std::wstring_view line;  // exactly as the game must receive it
};

// Written out here rather than taken from the launcher's catalogue, so a
// wrong line there is caught.
constexpr std::array<GameEntry, 33> kGameEntries{{
    {"ProfileStart1", Win::Games, L"&Player 1", L"kr2sp.exe  +set fs_game players_kr2\\Player1_saves"},
    {"ProfileStart2", Win::Games, L"&Player 2", L"kr2sp.exe   +set fs_game players_kr2\\Player2_saves"},
    {"ProfileStart3", Win::Games, L"&Player 3", L"kr2sp.exe   +set fs_game players_kr2\\Player3_saves"},
    {"ProfileStart4", Win::Games, L"&Player 4", L"kr2sp.exe   +set fs_game players_kr2\\Player4_saves"},
    {"ProfileStart5", Win::Games, L"&Player 5", L"kr2sp.exe   +set fs_game players_kr2\\Player5_saves"},
    {"SafeModeSingle", Win::Options, L"KR2 SP (Safe Mode)", L"kr2sp.exe  safe"},
    {"SafeModeMulti", Win::Options, L"KR2 MP (Safe Mode)", L"kr2mp.exe  safe"},
    {"LevelStart1", Win::Levels, L"Tovek Gate", L"kr2sp.exe  map tovek_gate"},
    {"LevelStart2", Win::Levels, L"Tovek Keep", L"kr2sp.exe  map tovek_keep"},
    {"LevelStart3", Win::Levels, L"Orlan Quarry", L"kr2sp.exe  map orlan_quarry"},
    {"LevelStart4", Win::Levels, L"Orlan Cells", L"kr2sp.exe  map orlan_cells"},
    {"LevelStart5", Win::Levels, L"Orlan Upper Deck", L"kr2sp.exe  map orlan_upperdeck"},
    {"LevelStart6", Win::Levels, L"Gorge", L"kr2sp.exe  map gorge"},
    {"LevelStart7", Win::Levels, L"Sarneth Shrine", L"kr2sp.exe  map sarneth_shrine"},
    {"LevelStart8", Win::Levels, L"Sarneth Ordeal", L"kr2sp.exe  map sarneth_ordeal"},
    {"LevelStart9", Win::Levels, L"ZR Alleys", L"kr2sp.exe  map zr_alleys"},
    {"LevelStart10", Win::Levels, L"ZR Den", L"kr2sp.exe  map zr_den"},
    {"LevelStart11", Win::Levels, L"ZR Skydock", L"kr2sp.exe  map zr_skydock"},
    {"LevelStart12", Win::Levels, L"Caldor Lowtown", L"kr2sp.exe  map caldor_lowtown"},
    {"LevelStart13", Win::Levels, L"Caldor Alleys", L"kr2sp.exe  map caldor_alleys"},
    {"LevelStart14", Win::Levels, L"Caldor Spire", L"kr2sp.exe  map caldor_spire"},
    {"LevelStart15", Win::Levels, L"Drumbar Harbor", L"kr2sp.exe  map drumbar_harbor"},
    {"LevelStart16", Win::Levels, L"Drumbar Foundry", L"kr2sp.exe  map drumbar_foundry"},
    {"LevelStart17", Win::Levels, L"Drumbar Core", L"kr2sp.exe  map drumbar_core"},
    {"LevelStart18", Win::Levels, L"Drumbar Pier 1", L"kr2sp.exe  map drumbar_pier1"},
    {"LevelStart19", Win::Levels, L"Heskel Relay", L"kr2sp.exe  map heskel_relay"},
    {"LevelStart20", Win::Levels, L"Heskel Cells", L"kr2sp.exe  map heskel_cells"},
    {"LevelStart21", Win::Levels, L"Heskel Wards", L"kr2sp.exe  map heskel_wards"},
    {"LevelStart22", Win::Levels, L"Sarneth Marsh", L"kr2sp.exe  map sarneth_marsh"},
    {"LevelStart23", Win::Levels, L"Sarneth Ravine", L"kr2sp.exe  map sarneth_ravine"},
    {"LevelStart24", Win::Levels, L"Sarneth Plaza", L"kr2sp.exe  map sarneth_plaza"},
    {"LevelStart25", Win::Levels, L"Sarneth Summit", L"kr2sp.exe  map sarneth_summit"},
    {"LevelStart26", Win::Levels, L"Arena", L"kr2sp.exe  map arena"},
}};

// The one record a press must leave: which file ran, how it was shown and where.
void CheckStarted(const e2e::StubRecord& r, const std::string& n, const std::wstring& module,
                  unsigned showState, const std::wstring& dir) {
    Expect(e2e::SamePath(r.module, module),
           n + ": program that ran\n      expected: " + e2e::Describe(module) + "\n      seen:     " +
               e2e::Describe(r.module));
    Expect((r.startupFlags & STARTF_USESHOWWINDOW) != 0, n + ": a show state was handed over");
    ExpectEq(r.showWindow, showState, n + ": show state");
    Expect(e2e::SamePath(r.currentDir, dir),
           n + ": working directory\n      expected: " + e2e::Describe(dir) + "\n      seen:     " +
               e2e::Describe(r.currentDir));
}

std::wstring ModuleFor(const GameLayout& layout, std::wstring_view line) {
    return layout.GameDir() + L"\\" + std::wstring(line.substr(0, line.find(L' ')));
}

TEST(GuiCatalogue, GameEntries) {
    GameLayout layout(L"gui_catalogue");
    for (const GameEntry& entry : kGameEntries) {
        const std::string n = std::string(entry.name) + " (" + e2e::Describe(entry.button) + ")";
        LauncherRun run(layout);
        HWND top = run.Open(entry.window);
        if (!top || !run.Press(top, entry.window, entry.button)) continue;
        Expect(run.WaitExit(5000), n + ": the launcher ends after the start");
        const auto records = layout.Log().WaitFor(1, 5000);
        if (!ExpectEq(records.size(), std::size_t{1}, n + ": programs started")) continue;
        ExpectEq(records[0].commandLine, std::wstring(entry.line), n + ": command line");
        CheckStarted(records[0], n, ModuleFor(layout, entry.line), SW_SHOWMINIMIZED, layout.GameDir());
    }
}


TEST(GuiCatalogue, MainWindowEntries) {
    GameLayout layout(L"gui_catalogue_main");
    PrefixStub notepad(e2e::kNotepadPath);
    PrefixStub explorer(e2e::kExplorerPath);

    {
        LauncherRun run(layout);
        HWND main = run.WaitWindow(Win::Main);
        if (!main) return;
        // The readme leaves the launcher as it was, however often it is
        // opened: by a press, then twice by a double click.
        for (const std::size_t started : {1u, 3u}) {
            const std::string n = started == 1 ? "ReadmeOpen, a press" : "ReadmeOpen, a double click";
            run.Press(main, Win::Main, L"&Readme", started == 1 ? LauncherRun::By::Post : LauncherRun::By::DoubleClick);
            const auto records = layout.Log().WaitFor(started, 5000);
            if (!ExpectEq(records.size(), started, n + ": programs started so far")) break;
            for (std::size_t i = started == 1 ? 0 : 1; i < started; ++i) {
                ExpectEq(records[i].commandLine, std::wstring(L"C:\\Windows\\Notepad.exe ..\\Install\\readme.txt"),
                         n + ": command line");
                CheckStarted(records[i], n, e2e::kNotepadPath, SW_SHOWNORMAL, layout.GameDir());
            }
            Expect(run.Running() && IsWindowVisible(main), n + ": the launcher stays open");
        }
        ExpectEq(layout.Log().WaitFor(4, 1000).size(), std::size_t{3}, "ReadmeOpen: a double click is two presses");

        // Multiplayer closes only the main window while another one is open.
        HWND about = run.Open(Win::About);
        layout.Log().Clear();
        run.Press(main, Win::Main, L"&Start Kestrane II Multiplayer");
        Expect(run.WaitGone(Win::Main), "MultiplayerStart: the main window closes");
        const auto records = layout.Log().WaitFor(1, 5000);
        if (ExpectEq(records.size(), std::size_t{1}, "MultiplayerStart: programs started")) {
            ExpectEq(records[0].commandLine, std::wstring(L"kr2mp.exe"), "MultiplayerStart: command line");
            CheckStarted(records[0], "MultiplayerStart", layout.GameDir() + L"\\kr2mp.exe", SW_SHOWMINIMIZED,
                         layout.GameDir());
        }
        Expect(run.Running() && about && IsWindowVisible(about),
               "MultiplayerStart: the About window stays and the launcher runs on");
        if (about) run.Press(about, Win::About, L"Close");
        Expect(run.WaitExit(5000), "closing the last window ends the launcher");
    }
    {
        LauncherRun run(layout);
        HWND main = run.WaitWindow(Win::Main);
        if (!main) return;
        run.Press(main, Win::Main, L"&Home Page");
        Expect(run.WaitExit(5000), "HomePageOpen: the launcher ends after the start");
        const auto records = layout.Log().WaitFor(1, 5000);
        if (!ExpectEq(records.size(), std::size_t{1}, "HomePageOpen: programs started")) return;
        const std::wstring& line = records[0].commandLine;
        const std::wstring prefix = std::wstring(e2e::kExplorerPath) + L" http://";
        // The host is the launcher's own choice; the shape of the line is not.
        const std::wstring host = line.size() > prefix.size() + 1 ? line.substr(prefix.size(), line.size() - prefix.size() - 1) : L"";
        Expect(line.starts_with(prefix) && line.ends_with(L"/") && !host.empty() &&
                   host.find_first_of(L" /\\\"") == std::wstring::npos,
               "HomePageOpen: command line is the unquoted IEXPLORE.EXE path, one blank, http://<host>/; seen: " +
                   e2e::Describe(line));
        CheckStarted(records[0], "HomePageOpen", e2e::kExplorerPath, SW_SHOWNORMAL, layout.GameDir());
    }
}

}  // namespace
}  // namespace kr2::gui
