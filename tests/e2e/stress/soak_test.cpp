// Soak: thousands of windows opened and closed and hundreds of readme starts
// leave the launcher holding what it held before.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "child_process.h"
#include "expect.h"
#include "outside_programs.h"
#include "launcher_run.h"
#include "prefix_stub.h"
#include "window_probe.h"
#include "resource_counts.h"
#include "soak_driver.h"

namespace kr2::stress {
namespace {

using gui::Expect;
using gui::ExpectEq;
using gui::Win;

constexpr int kCyclesPerWindow = 1000;
constexpr int kReadmePresses = 300;

std::vector<CloseWay> WaysToClose(Win w) {
    std::vector<CloseWay> ways{CloseWay::Button, CloseWay::WmClose, CloseWay::SysCommandClose};
    if (w == Win::About) ways.push_back(CloseWay::IconClick);
    return ways;
}

// Every way of closing `w`, `cycles` times in turn; false once one fails,
// so a broken launcher does not cost a timeout per remaining cycle.
bool CycleWindow(SoakDriver& driver, Win w, int cycles) {
    const std::vector<CloseWay> ways = WaysToClose(w);
    for (int i = 0; i < cycles; ++i) {
        HWND top = driver.Open(w);
        if (!top || !driver.Close(top, w, ways[static_cast<std::size_t>(i) % ways.size()])) {
            ADD_FAILURE() << gui::Expected(w).name << ": cycle " << i + 1 << " failed";
            return false;
        }
    }
    return true;
}

// What the launcher shows, for a failure message: every window with the
// texts of its controls (an error box names its failure there).
std::string Windows(const gui::LauncherRun& run) {
    std::string out = run.Running() ? "launcher running; windows:" : "launcher ended";
    for (HWND h : gui::AllTopLevelWindows(run.Pid())) {
        out += " " + e2e::Describe(gui::CaptionOf(h)) + " {";
        for (HWND c : gui::Descendants(h)) out += " " + e2e::Describe(gui::TextOf(c));
        out += " }";
    }
    return out;
}

// When a press started no Notepad: whether the stub is in place and whether
// this test can start the same line right now, which tells a launcher that
// cannot start Notepad from a platform that cannot.
std::string SecondOpinion(const gui::GameLayout& layout) {
    std::string out = GetFileAttributesW(e2e::kNotepadPath) == INVALID_FILE_ATTRIBUTES
                          ? "the Notepad stub is missing (error " + std::to_string(GetLastError()) + ")"
                          : "the Notepad stub is in place";
    e2e::ChildOptions options;
    options.applicationName = e2e::kNotepadPath;
    options.commandLine = L"C:\\Windows\\Notepad.exe ..\\Install\\readme.txt";
    options.workingDir = layout.GameDir();
    try {
        e2e::ChildProcess notepad(options);
        notepad.Wait(5000);
        return out + "; the test's own start of the readme line works";
    } catch (const std::exception& e) {
        return out + "; the test's own start fails as well: " + e.what();
    }
}

bool PressReadme(const gui::LauncherRun& run, const gui::GameLayout& layout, HWND main, int presses) {
    const std::size_t before = layout.Log().Read().size();
    for (int i = 1; i <= presses; ++i) {
        if (!run.Press(main, Win::Main, L"&Readme")) return false;
        const std::size_t want = before + static_cast<std::size_t>(i);
        // One Notepad at a time: each press waits for the one it started.
        const std::size_t seen = layout.Log().WaitFor(want, 10000).size();
        if (seen != want) {
            // Described only now: the second opinion starts a Notepad itself.
            Expect(false, "Notepad started by readme press " + std::to_string(i) + ": " +
                              std::to_string(seen - before) + " started; " + Windows(run) + "; " +
                              SecondOpinion(layout));
            return false;
        }
    }
    return Expect(run.Running(), "the launcher stays after the readme presses");
}

void Report(const std::string& what, std::uint64_t ms) {
    std::printf("soak: %s took %llu ms\n", what.c_str(), static_cast<unsigned long long>(ms));
    std::fflush(stdout);
}

// Checked after every phase, so a leak is pinned to the window or button
// that causes it.
void CheckBackToStart(const ResourceCounts& before, const ResourceCounts& now, const std::string& after) {
    const std::string n = "after " + after + ": ";
    ExpectEq(now.topLevelWindows, before.topLevelWindows, n + "top-level windows");
    ExpectEq(now.childWindows, before.childWindows, n + "child windows");
    Expect(std::labs(static_cast<long>(now.kernelHandles) - static_cast<long>(before.kernelHandles)) <= 2,
           n + "kernel handles within 2 of the start: " + std::to_string(before.kernelHandles) + " before, " +
               std::to_string(now.kernelHandles) + " now");
    if (before.guiCounted) {
        ExpectEq(now.gdiObjects, before.gdiObjects, n + "GDI objects");
        ExpectEq(now.userObjects, before.userObjects, n + "USER objects");
    }
}

TEST(StressSoak, OpenCloseAndReadme) {
    gui::GameLayout layout(L"stress_soak");  // no Install directory: no cue plays
    gui::PrefixStub notepad(e2e::kNotepadPath);
    gui::LauncherRun run(layout);
    HWND main = run.WaitWindow(Win::Main);
    if (!main) return;
    ResourceCounter counter(run.Pid(), main);
    if (!Expect(counter.Ready(), "the launcher's process and thread can be queried")) return;
    SoakDriver driver(run, main);

    // One round first: whatever the platform allocates once per class or
    // per thread (IME windows, cached brushes) is in the baseline.
    for (Win w : {Win::Games, Win::Options, Win::Levels, Win::About})
        if (!CycleWindow(driver, w, static_cast<int>(WaysToClose(w).size()))) return;
    if (!PressReadme(run, layout, main, 1)) return;

    const ResourceCounts before = counter.Count();
    std::printf("soak: before: %s\n", Describe(before).c_str());
    Expect(before.topLevelWindows >= 1 && before.childWindows >= 8,
           "the launcher's windows are seen: " + Describe(before));
    Expect(before.kernelHandles > 0, "the launcher's kernel handles are seen: " + Describe(before));

    const std::uint64_t start = e2e::NowMs();
    for (Win w : {Win::Games, Win::Options, Win::Levels, Win::About}) {
        const std::string phase = std::string(gui::Expected(w).name) + " opened and closed " +
                                  std::to_string(kCyclesPerWindow) + " times";
        const std::uint64_t t = e2e::NowMs();
        if (!CycleWindow(driver, w, kCyclesPerWindow)) return;
        Report(phase, e2e::NowMs() - t);
        CheckBackToStart(before, counter.Count(), phase);
    }
    const std::uint64_t t = e2e::NowMs();
    if (!PressReadme(run, layout, main, kReadmePresses)) return;
    const std::string presses = std::to_string(kReadmePresses) + " readme presses";
    Report(presses, e2e::NowMs() - t);
    Report("the whole soak", e2e::NowMs() - start);

    const ResourceCounts after = counter.Count();
    std::printf("soak: after:  %s\n", Describe(after).c_str());
    CheckBackToStart(before, after, presses);
    if (!before.guiCounted)
        std::printf("soak: GDI and USER objects not counted: Wine's GetGuiResources answers 0\n");
    Expect(IsWindowVisible(main) && run.Running(), "the main window is still there");
}

}  // namespace
}  // namespace kr2::stress
