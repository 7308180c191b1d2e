// Every catalogue entry reached through its own button in the real launcher:
// what the started program saw (command line byte for byte, show state,
// working directory, which file ran) and what became of the launcher.

#include <string>
#include <string_view>

#include "expect.h"
#include "expected_catalogue.h"
#include "outside_programs.h"
#include "launcher_run.h"
#include "window_probe.h"

namespace kr2::e2e {
namespace {

using GuiCatalogue = LauncherTest;

// The caption of the button that starts `entry`, as the design table has it.
std::wstring_view ButtonOf(const design::CatalogueLine& entry) {
    return design::ControlNamed(entry.window, entry.control).caption;
}
std::wstring_view ButtonOf(std::string_view entry) {
    for (const design::CatalogueLine& l : design::kCatalogueLines)
        if (l.entry == entry) return ButtonOf(l);
    return {};
}

std::wstring ModuleFor(const GameLayout& layout, std::wstring_view line) {
    return layout.GameDir() + L"\\" + std::wstring(line.substr(0, line.find(L' ')));
}

// Every entry started from another window than the main one: a game, which
// ends the launcher. The line the game must receive is the design's, not the
// launcher's catalogue, so a wrong line there is caught.
TEST_F(GuiCatalogue, GameEntries) {
    GameLayout layout(L"gui_catalogue");
    for (const design::CatalogueLine& entry : design::kCatalogueLines) {
        if (entry.window == WindowId::frmMain) continue;
        const std::string n = std::string(entry.entry) + " (" + e2e::Describe(ButtonOf(entry)) + ")";
        LauncherRun run(layout);
        HWND top = run.Open(entry.window);
        if (!top || !run.Press(top, entry.window, ButtonOf(entry))) continue;
        Expect(run.WaitExit(5000), n + ": the launcher ends after the start");
        const auto records = layout.Log().WaitFor(1, 5000);
        if (!ExpectEq(records.size(), std::size_t{1}, n + ": programs started")) continue;
        ExpectEq(records[0].commandLine, std::wstring(entry.line), n + ": command line");
        ExpectRan(records[0], n, ModuleFor(layout, entry.line), layout.GameDir(), SW_SHOWMINIMIZED);
    }
}

constexpr bool ThreeMainWindowEntries() {
    int n = 0;
    for (const design::CatalogueLine& l : design::kCatalogueLines) n += l.window == WindowId::frmMain;
    return n == 3;
}
static_assert(ThreeMainWindowEntries(), "the main window starts the readme, the home page and multiplayer, pressed below");

TEST_F(GuiCatalogue, MainWindowEntries) {
    PrefixStub notepad(e2e::kNotepadPath);
    PrefixStub explorer(e2e::kExplorerPath);
    const LauncherRun::EndsFirst ends{run};
    {
        if (!Launch()) return;
        // The readme leaves the launcher as it was, however often it is
        // opened: by a press, then twice by a double click.
        for (const std::size_t started : {1u, 3u}) {
            const std::string n = started == 1 ? "ReadmeOpen, a press" : "ReadmeOpen, a double click";
            run.Press(main, WindowId::frmMain, ButtonOf("ReadmeOpen"), started == 1 ? LauncherRun::By::Post : LauncherRun::By::DoubleClick);
            const auto records = layout.Log().WaitFor(started, 5000);
            if (!ExpectEq(records.size(), started, n + ": programs started so far")) break;
            for (std::size_t i = started == 1 ? 0 : 1; i < started; ++i) {
                ExpectEq(records[i].commandLine, std::wstring(design::CatalogueLineOf("ReadmeOpen")),
                         n + ": command line");
                ExpectRan(records[i], n, e2e::kNotepadPath, layout.GameDir(), SW_SHOWNORMAL);
            }
            Expect(run.Running() && IsWindowVisible(main), n + ": the launcher stays open");
        }
        ExpectEq(layout.Log().WaitFor(4, 1000).size(), std::size_t{3}, "ReadmeOpen: a double click is two presses");

        // Multiplayer closes only the main window while another one is open.
        HWND about = run.Open(WindowId::frmAbout);
        layout.Log().Clear();
        run.Press(main, WindowId::frmMain, ButtonOf("MultiplayerStart"));
        Expect(run.WaitGone(WindowId::frmMain), "MultiplayerStart: the main window closes");
        const auto records = layout.Log().WaitFor(1, 5000);
        if (ExpectEq(records.size(), std::size_t{1}, "MultiplayerStart: programs started")) {
            ExpectEq(records[0].commandLine, std::wstring(design::CatalogueLineOf("MultiplayerStart")),
                     "MultiplayerStart: command line");
            ExpectRan(records[0], "MultiplayerStart", layout.GameDir() + L"\\kr2mp.exe", layout.GameDir(), SW_SHOWMINIMIZED);
        }
        Expect(run.Running() && about && IsWindowVisible(about),
               "MultiplayerStart: the About window stays and the launcher runs on");
        if (about) run.Press(about, WindowId::frmAbout, design::CloserCaption(WindowId::frmAbout));
        Expect(run.WaitExit(5000), "closing the last window ends the launcher");
    }
    {
        if (!Launch()) return;
        run.Press(main, WindowId::frmMain, ButtonOf("HomePageOpen"));
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
        ExpectRan(records[0], "HomePageOpen", e2e::kExplorerPath, layout.GameDir(), SW_SHOWNORMAL);
    }
}

}  // namespace
}  // namespace kr2::e2e
