// Every catalogue entry reached through its own button in the real launcher:
// what the started program saw (command line byte for byte, show state,
// working directory, which file ran) and what became of the launcher.

#include <array>
#include <string>
#include <string_view>

#include "expect.h"
#include "expected_catalogue.h"
#include "outside_programs.h"
#include "launcher_run.h"
#include "prefix_stub.h"
#include "window_probe.h"

namespace kr2::e2e {
namespace {

// The button of each game entry; the line the game must receive is the
// design's (design/expected_catalogue.h), not the launcher's catalogue, so a
// wrong line there is caught.
struct GameEntry {
    const char* name;
    WindowId window;
    std::wstring_view button;
};

constexpr std::array<GameEntry, 33> kGameEntries{{
    {"ProfileStart1", WindowId::Games, L"&Player 1"},
    {"ProfileStart2", WindowId::Games, L"&Player 2"},
    {"ProfileStart3", WindowId::Games, L"&Player 3"},
    {"ProfileStart4", WindowId::Games, L"&Player 4"},
    {"ProfileStart5", WindowId::Games, L"&Player 5"},
    {"SafeModeSingle", WindowId::Options, L"KR2 SP (Safe Mode)"},
    {"SafeModeMulti", WindowId::Options, L"KR2 MP (Safe Mode)"},
    {"LevelStart1", WindowId::spmaps, L"Tovek Gate"},
    {"LevelStart2", WindowId::spmaps, L"Tovek Keep"},
    {"LevelStart3", WindowId::spmaps, L"Orlan Quarry"},
    {"LevelStart4", WindowId::spmaps, L"Orlan Cells"},
    {"LevelStart5", WindowId::spmaps, L"Orlan Upper Deck"},
    {"LevelStart6", WindowId::spmaps, L"Gorge"},
    {"LevelStart7", WindowId::spmaps, L"Sarneth Shrine"},
    {"LevelStart8", WindowId::spmaps, L"Sarneth Ordeal"},
    {"LevelStart9", WindowId::spmaps, L"ZR Alleys"},
    {"LevelStart10", WindowId::spmaps, L"ZR Den"},
    {"LevelStart11", WindowId::spmaps, L"ZR Skydock"},
    {"LevelStart12", WindowId::spmaps, L"Caldor Lowtown"},
    {"LevelStart13", WindowId::spmaps, L"Caldor Alleys"},
    {"LevelStart14", WindowId::spmaps, L"Caldor Spire"},
    {"LevelStart15", WindowId::spmaps, L"Drumbar Harbor"},
    {"LevelStart16", WindowId::spmaps, L"Drumbar Foundry"},
    {"LevelStart17", WindowId::spmaps, L"Drumbar Core"},
    {"LevelStart18", WindowId::spmaps, L"Drumbar Pier 1"},
    {"LevelStart19", WindowId::spmaps, L"Heskel Relay"},
    {"LevelStart20", WindowId::spmaps, L"Heskel Cells"},
    {"LevelStart21", WindowId::spmaps, L"Heskel Wards"},
    {"LevelStart22", WindowId::spmaps, L"Sarneth Marsh"},
    {"LevelStart23", WindowId::spmaps, L"Sarneth Ravine"},
    {"LevelStart24", WindowId::spmaps, L"Sarneth Plaza"},
    {"LevelStart25", WindowId::spmaps, L"Sarneth Summit"},
    {"LevelStart26", WindowId::spmaps, L"Arena"},
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
        const std::wstring_view line = design::CatalogueLineOf(entry.name);
        if (!Expect(!line.empty(), n + ": a line written out for the entry")) continue;
        ExpectEq(records[0].commandLine, std::wstring(line), n + ": command line");
        CheckStarted(records[0], n, ModuleFor(layout, line), SW_SHOWMINIMIZED, layout.GameDir());
    }
}


TEST(GuiCatalogue, MainWindowEntries) {
    GameLayout layout(L"gui_catalogue_main");
    PrefixStub notepad(e2e::kNotepadPath);
    PrefixStub explorer(e2e::kExplorerPath);

    {
        LauncherRun run(layout);
        HWND main = run.WaitWindow(WindowId::frmMain);
        if (!main) return;
        // The readme leaves the launcher as it was, however often it is
        // opened: by a press, then twice by a double click.
        for (const std::size_t started : {1u, 3u}) {
            const std::string n = started == 1 ? "ReadmeOpen, a press" : "ReadmeOpen, a double click";
            run.Press(main, WindowId::frmMain, L"&Readme", started == 1 ? LauncherRun::By::Post : LauncherRun::By::DoubleClick);
            const auto records = layout.Log().WaitFor(started, 5000);
            if (!ExpectEq(records.size(), started, n + ": programs started so far")) break;
            for (std::size_t i = started == 1 ? 0 : 1; i < started; ++i) {
                ExpectEq(records[i].commandLine, std::wstring(design::CatalogueLineOf("ReadmeOpen")),
                         n + ": command line");
                CheckStarted(records[i], n, e2e::kNotepadPath, SW_SHOWNORMAL, layout.GameDir());
            }
            Expect(run.Running() && IsWindowVisible(main), n + ": the launcher stays open");
        }
        ExpectEq(layout.Log().WaitFor(4, 1000).size(), std::size_t{3}, "ReadmeOpen: a double click is two presses");

        // Multiplayer closes only the main window while another one is open.
        HWND about = run.Open(WindowId::frmAbout);
        layout.Log().Clear();
        run.Press(main, WindowId::frmMain, L"&Start Kestrane II Multiplayer");
        Expect(run.WaitGone(WindowId::frmMain), "MultiplayerStart: the main window closes");
        const auto records = layout.Log().WaitFor(1, 5000);
        if (ExpectEq(records.size(), std::size_t{1}, "MultiplayerStart: programs started")) {
            ExpectEq(records[0].commandLine, std::wstring(design::CatalogueLineOf("MultiplayerStart")),
                     "MultiplayerStart: command line");
            CheckStarted(records[0], "MultiplayerStart", layout.GameDir() + L"\\kr2mp.exe", SW_SHOWMINIMIZED,
                         layout.GameDir());
        }
        Expect(run.Running() && about && IsWindowVisible(about),
               "MultiplayerStart: the About window stays and the launcher runs on");
        if (about) run.Press(about, WindowId::frmAbout, L"Close");
        Expect(run.WaitExit(5000), "closing the last window ends the launcher");
    }
    {
        LauncherRun run(layout);
        HWND main = run.WaitWindow(WindowId::frmMain);
        if (!main) return;
        run.Press(main, WindowId::frmMain, L"&Home Page");
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
}  // namespace kr2::e2e
