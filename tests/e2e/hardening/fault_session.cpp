#include "fault_session.h"

#include <algorithm>
#include <cwchar>
#include <cstdio>
#include <functional>
#include <optional>
#include <stdexcept>

#include "inside_probe.h"
#include "key_input.h"
#include "launch_catalogue.h"
#include "launcher_run.h"
#include "message_boxes.h"
#include "outside_programs.h"
#include "resource_counts.h"
#include "utf8.h"
#include "window_probe.h"

namespace kr2::e2e {
namespace {


constexpr DWORD kNoProgressMs = 10000;

std::wstring Line(std::string_view entry) { return std::wstring(LaunchCatalogue(entry).commandLine); }
std::wstring ReadmeFallback() { return std::wstring(LaunchCatalogue("ReadmeOpen").fallbackCommandLine); }

// The run-time error box of process `pid`, if one is up.
HWND BoxOf(DWORD pid) {
    for (HWND box : e2e::VisibleMessageBoxes()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        if (owner == pid) return box;
    }
    return nullptr;
}

// The launcher's visible windows, for a report.
std::string WindowsOf(DWORD pid) {
    std::string out;
    for (HWND top : e2e::AllTopLevelWindows(pid))
        out += " " + e2e::ToUtf8(e2e::ClassOf(top)) + " " + e2e::Describe(e2e::CaptionOf(top));
    return out.empty() ? " none" : out;
}

// A point inside `control` that a click reaches (no other window above it).
POINT ReachableIn(HWND control) {
    const RECT r = e2e::ClientOnScreen(control);
    for (int fx : {50, 20, 80, 10, 90}) {
        for (int fy : {50, 30, 70}) {
            const POINT at{r.left + (r.right - r.left) * fx / 100, r.top + (r.bottom - r.top) * fy / 100};
            if (WindowFromPoint(at) == control) return at;
        }
    }
    return e2e::CentreOf(control);
}

// While it lives, a launcher that crashes ends at once with the exception's
// code, instead of waiting in Wine's debugger: AeDebug names a program that
// does not exist (with no value at all, Wine starts winedbg --auto).
class NoCrashDebugger {
public:
    NoCrashDebugger() {
        DWORD size = sizeof saved_;
        had_ = RegGetValueW(HKEY_LOCAL_MACHINE, kKey, L"Debugger", RRF_RT_REG_SZ, nullptr, saved_, &size) ==
               ERROR_SUCCESS;
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"Debugger", REG_SZ, kNone, sizeof kNone);
    }
    ~NoCrashDebugger() {
        if (had_)
            RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"Debugger", REG_SZ, saved_,
                            static_cast<DWORD>((wcslen(saved_) + 1) * sizeof(wchar_t)));
    }
    NoCrashDebugger(const NoCrashDebugger&) = delete;
    NoCrashDebugger& operator=(const NoCrashDebugger&) = delete;

private:
    static constexpr wchar_t kKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug";
    static constexpr wchar_t kNone[] = L"C:\\kr2-no-debugger.exe %ld %ld";
    wchar_t saved_[256] = {};
    bool had_ = false;
};

// Runs the steps of one session, each until its effect shows, the run-time
// error box comes up, the launcher ends or nothing happens for 10 s.
class Script {
public:
    Script(PlanBlock& block, SessionResult& result) : block_(block), r_(result) {}

    void Run() {
        const NoCrashDebugger noDebugger;
        e2e::GameLayout layout(L"faults");
        layout.WriteCue(L"open.WAV", 30);
        log_ = &layout.Log();
        const e2e::PrefixStub notepad(e2e::kNotepadPath), notepadNt(e2e::kNotepadNtPath),
            explorer(e2e::kExplorerPath);
        const std::uint64_t start = e2e::NowMs();
        // The second run is the home page's: it ends the launcher.
        const bool secondRun = FirstRun(layout) && !Stopped();
        TakeStarted(layout.Log());
        if (secondRun) {
            // A log of its own: a program the first run started may still
            // hold the first one.
            const e2e::StubLog second(layout.GameDir() + L"\\..\\second.log");
            SecondRun(layout, second);
            TakeStarted(second);
            second.WaitForWritersToEnd();
        }
        r_.completed = !Stopped();
        r_.ms = e2e::NowMs() - start;
        // What the launcher asked the box to say, even where the session's
        // own next click closed it before it could be read.
        const Plan& plan = block_.plan();
        if (plan.boxes > 0) r_.box.assign(plan.boxText, wcsnlen(plan.boxText, 256));
    }

private:
    bool Stopped() const { return !r_.stopped.empty(); }

    // The lines of the programs the launcher started into `log`, once each
    // has written its own: as many as CreateProcessW calls went through
    // since the lines taken before.
    void TakeStarted(const e2e::StubLog& log) {
        const Plan& plan = block_.plan();
        const auto through = static_cast<std::size_t>(plan.calls[k_CreateProcessW] - plan.failed[k_CreateProcessW]);
        for (const auto& record : log.WaitFor(through - r_.started.size(), 3000))
            r_.started.push_back(record.commandLine);
    }

    // True when the launcher ended as a launch's policy or follow-up
    // ended it, so the second run goes ahead.
    bool FirstRun(const e2e::GameLayout& layout) {
        e2e::LauncherRun run(layout, true);
        run_ = &run;
        const bool steps = Window("start", WindowId::frmMain) && Moved(WindowId::frmMain) &&
            Key("profiles from the keyboard", WindowId::frmMain, VK_RETURN, 0) && Window("profiles open", WindowId::Games) &&
            Moved(WindowId::Games) &&
            Click("profiles closed with the mouse", WindowId::Games, L"&Close") && Gone(WindowId::Games) &&
            Click("About with the mouse", WindowId::frmMain, L"&About") && Window("About open", WindowId::frmAbout) &&
            Moved(WindowId::frmAbout) &&
            ClickIndex("About closed by its icon", WindowId::frmAbout, 1) && Gone(WindowId::frmAbout) &&
            Key("options from the keyboard", WindowId::frmMain, 'O', VK_MENU) && Window("options open", WindowId::Options) &&
            Moved(WindowId::Options) &&
            Click("levels with the mouse", WindowId::Options, L"SP Levels") && Window("levels open", WindowId::spmaps) &&
            Gone(WindowId::Options) && Moved(WindowId::spmaps) &&
            Key("levels closed from the keyboard", WindowId::spmaps, 'C', VK_MENU) &&
            Gone(WindowId::spmaps) && ScreenReader() && Checkpoint() &&
            Click("readme with the mouse", WindowId::frmMain, L"&Readme") && Started(1) &&
            Click("multiplayer with the mouse", WindowId::frmMain, L"&Start Kestrane II Multiplayer") && Ended();
        const bool launched = r_.checkpoint.reached;
        const bool endedByLaunch =
            !steps && launched && r_.box.empty() && block_.plan().boxes == 0 && !r_.stuck && !run.Running();
        Finish(run);
        if (endedByLaunch && r_.exitCodes.back() == 0) r_.stopped.clear();
        return steps || endedByLaunch;
    }

    void SecondRun(const e2e::GameLayout& layout, const e2e::StubLog& log) {
        e2e::LauncherRun run(layout.GameDir() + L"\\kr2_s1.exe", layout.GameDir(), log, true);
        run_ = &run;
        if (Window("start again", WindowId::frmMain)) Key("home page from the keyboard", WindowId::frmMain, 'H', VK_MENU) && Ended();
        Finish(run);
    }

    void Finish(e2e::LauncherRun& run) {
        const auto code = run.ExitCode(5000);
        if (!code) run.Kill();
        r_.exitCodes.push_back(code ? static_cast<std::int64_t>(*code) : -1);
        run_ = nullptr;
        probe_.reset();
    }

    bool Await(const std::string& what, const std::function<bool()>& done) {
        const ULONGLONG end = GetTickCount64() + kNoProgressMs;
        for (;;) {
            const bool running = run_->Running();  // before the effect, which an end may bring
            if (done()) return true;
            if (HWND box = BoxOf(run_->Pid())) return Box(what, box);
            if (!running) return Stop(what + ": the launcher ended");
            if (GetTickCount64() > end) {
                r_.stuck = true;
                const Plan& plan = block_.plan();
                return Stop(what + ": no progress for 10 s; windows:" + WindowsOf(run_->Pid()) + "; boxes asked for " +
                            std::to_string(plan.boxes) + ", first failure " +
                            Describe(plan.firstFailedRow, plan.firstFailedCall));
            }
            Sleep(5);
        }
    }

    bool Stop(const std::string& why) {
        if (r_.stopped.empty()) r_.stopped = why;
        return false;
    }

    // The box is read, then dismissed as a player would; the launcher must
    // end with it, leaving no window.
    bool Box(const std::string& what, HWND box) {
        r_.box = e2e::MessageText(box);
        if (e2e::WaitForeground(box)) e2e::PressKey(VK_RETURN);
        if (!e2e::WaitFor([&] { return !run_->Running(); }, 5000)) {
            r_.windowAfterBox = !e2e::AllTopLevelWindows(run_->Pid()).empty();
            r_.stuck = !r_.windowAfterBox;
        }
        return Stop(what + ": the run-time error box");
    }

    HWND Top(WindowId w) const {
        const auto found = e2e::TopLevelWindows(run_->Pid(), e2e::Expected(w).caption);
        return found.size() == 1 ? found.front() : nullptr;
    }

    // The window has opened, showing every control it has.
    bool Window(const std::string& what, WindowId w) {
        // Open means active too: a click must not race the launcher's own
        // activation of the window, which would take the press back.
        if (!Await(what, [&] { return Top(w) != nullptr && GetForegroundWindow() == Top(w); })) return false;
        int shown = 0;
        for (HWND h : e2e::Descendants(Top(w))) shown += IsWindowVisible(h) ? 1 : 0;
        const int want = static_cast<int>(e2e::Expected(w).controls.size());
        if (shown != want && r_.missingControl.empty())
            r_.missingControl = e2e::Name(w) + " showed " + std::to_string(shown) + " of " +
                                std::to_string(want) + " controls";
        r_.opened.insert(w);
        return true;
    }

    // Windows moves the window to a monitor at 144 DPI and back, as a
    // player drags it across (the inside probe's move, from within the
    // launcher's thread); then it is open as before, every control shown.
    bool Moved(WindowId w) {
        if (r_.moves == Moves::ArtworkWindows && w != WindowId::frmMain && w != WindowId::frmAbout) return true;
        HWND top = Top(w);
        if (!probe_) probe_.emplace(top);
        for (const auto& [from, to] : {std::pair{96, 144}, std::pair{144, 96}}) {
            const std::string what = e2e::Name(w) + " moved to " + std::to_string(to) + " DPI";
            if (HWND box = BoxOf(run_->Pid())) return Box(what, box);
            const bool failedBefore = block_.plan().firstFailedRow >= 0;
            if (!top || !probe_->Read(top, e2e::MoveToDpi(from, to)))
                return Await(what + ": the move went unanswered", [] { return false; });
            r_.failedInAMove = r_.failedInAMove || (!failedBefore && block_.plan().firstFailedRow >= 0);
        }
        return Window(e2e::Name(w) + " back at 96 DPI", w);
    }

    bool Gone(WindowId w) {
        return Await(e2e::Name(w) + " closes", [&] { return Top(w) == nullptr; });
    }

    bool Key(const std::string& what, WindowId w, WORD vk, WORD modifier) {
        HWND top = Top(w);
        if (!top || !Await(what + " (the window comes to the front)", [&] { return GetForegroundWindow() == top; }))
            return Stop(what + ": no window to type into");
        modifier ? e2e::PressAltKey(vk) : e2e::PressKey(vk);
        return true;
    }

    bool ClickIndex(const std::string& what, WindowId w, int index) {
        HWND control = Top(w) ? e2e::FindControl(Top(w), e2e::Expected(w), index) : nullptr;
        if (!control) return Stop(what + ": no control to click");
        e2e::MouseClick(ReachableIn(control));
        return true;
    }

    bool Click(const std::string& what, WindowId w, std::wstring_view caption) {
        return ClickIndex(what, w, e2e::ControlIndex(e2e::Expected(w), caption));
    }

    bool Started(std::size_t count) {
        return Await("a program starts", [&] { return log_->Read().size() >= count || !run_->Running(); });
    }

    bool Ended() { return Await("the launcher ends", [&] { return !run_->Running(); }); }

    // What a screen reader does first: ask the picture box for its object.
    bool ScreenReader() {
        HWND picture = Top(WindowId::frmMain) ? e2e::FindControl(Top(WindowId::frmMain), e2e::Expected(WindowId::frmMain), 0) : nullptr;
        DWORD_PTR answer = 0;
        if (picture)
            SendMessageTimeoutW(picture, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT), SMTO_ABORTIFHUNG, 5000,
                                &answer);
        return Await("a screen reader asks", [&] { return Top(WindowId::frmMain) != nullptr; });
    }

    bool Checkpoint() {
        HWND main = Top(WindowId::frmMain);
        if (!main) return Stop("the checkpoint: no main window");
        const e2e::ResourceCounts counts = e2e::ResourceCounter(run_->Pid(), main).Count();
        r_.checkpoint = {true, block_.plan().gdiHeld, block_.plan().iconsHeld, counts.childWindows};
        return true;
    }

    PlanBlock& block_;
    SessionResult& r_;
    e2e::LauncherRun* run_ = nullptr;
    std::optional<e2e::InsideProbe> probe_;
    const e2e::StubLog* log_ = nullptr;
};

// The session's launches as their policies play out when CreateProcessW
// call `failing` fails: the lines started, and the error number the box
// shows (0: none).
struct Launches {
    std::vector<std::wstring> lines;
    DWORD box = 0;
};

Launches PlayLaunches(LONG failing, DWORD error) {
    Launches out;
    LONG call = 0;
    auto starts = [&] { return ++call != failing; };
    if (starts()) {
        out.lines.push_back(Line("ReadmeOpen"));
        // Multiplayer closes the main window, started or not.
        if (starts()) out.lines.push_back(Line("MultiplayerStart"));
    } else if (starts()) {
        out.lines.push_back(ReadmeFallback());  // ... and the first run ends
    }
    if (starts())
        out.lines.push_back(Line("HomePageOpen"));
    else
        out.box = error;
    return out;
}

std::string Text(const std::vector<std::wstring>& lines) {
    std::string out;
    for (const auto& line : lines) out += " [" + e2e::ToUtf8(line) + "]";
    return out.empty() ? " none" : out;
}

}  // namespace

void PlanBlock::Fail(int row, LONG from, DWORD error, bool onward) {
    plan_->from = from;
    plan_->onward = onward;
    plan_->error = error;
    InterlockedExchange(&plan_->row, row);  // last: the harness reads the row first
}

void PlanBlock::AlsoFail(int row, LONG from) {
    plan_->secondFrom = from;
    InterlockedExchange(&plan_->secondRow, row);
}

void PlanBlock::FailAtRandom(LONG permille, ULONG64 seed, DWORD error) {
    plan_->seed = seed;
    plan_->error = error;
    InterlockedExchange(&plan_->permille, permille);
}

SessionResult RunSession(PlanBlock& block, Moves moves) {
    SessionResult result;
    result.moves = moves;
    Script(block, result).Run();
    return result;
}

std::string Describe(int row, LONG call) {
    return row < 0 ? std::string("nothing") : std::string(kRows[row].function) + " #" + std::to_string(call);
}

std::vector<std::string> Judge(const SessionResult& seen, const SessionResult& clean, const Plan& plan) {
    std::vector<std::string> wrong;
    auto check = [&](bool ok, const std::string& what) {
        if (!ok) wrong.push_back(what);
    };
    check(!seen.stuck, "no progress: " + seen.stopped);
    for (std::int64_t code : seen.exitCodes)
        check(code == 0, "exit code " + std::to_string(code) + (code == -1 ? " (killed)" : " (a crash or an abort)"));
    check(!seen.windowAfterBox, "a launcher window outlived the run-time error box");
    check(plan.deadIconsDrawn == 0, std::to_string(plan.deadIconsDrawn) + " icons drawn after they were destroyed");
    check(seen.missingControl.empty(), seen.missingControl);
    const std::vector<std::wstring> catalogue{Line("ReadmeOpen"), ReadmeFallback(), Line("MultiplayerStart"),
                                              Line("HomePageOpen")};
    for (const auto& line : seen.started)
        check(std::find(catalogue.begin(), catalogue.end(), line) != catalogue.end(),
              "started a line the catalogue does not have: " + e2e::ToUtf8(line));

    LONG failures = 0;
    for (LONG n : plan.failed) failures += n;
    const int row = failures ? plan.firstFailedRow : -1;
    const bool box = !seen.box.empty();
    // The box's number for the failure put in: the platform's, or the
    // launcher's own "Out of memory" where the failed call left none.
    const DWORD number = plan.error == kStaleError || plan.error == ERROR_SUCCESS ? 7 : plan.error;
    auto boxNumber = [&](DWORD expected) {
        const std::wstring head = L"Run-time error '" + std::to_wstring(expected) + L"':\r\n\r\n";
        check(seen.box.starts_with(head), "the box should say error " + std::to_string(expected) + "; it says " +
                                              (box ? e2e::ToUtf8(seen.box) : std::string("nothing: there was none")));
        check(!box || plan.boxAnswer == IDOK, "the box closed by itself, without an answer (it returned " +
                                                  std::to_string(plan.boxAnswer) + ")");
    };
    auto asClean = [&] {
        check(seen.completed && !box, "the session should run to its end; it stopped at " + seen.stopped +
                                          (box ? " with " + e2e::ToUtf8(seen.box) : std::string()));
        check(seen.started == clean.started, "started" + Text(seen.started) + ", not" + Text(clean.started));
        const Checkpoint& a = seen.checkpoint;
        const Checkpoint& b = clean.checkpoint;
        check(!a.reached || (a.gdiHeld <= b.gdiHeld && a.icons <= b.icons && a.childWindows == b.childWindows),
              "objects left over: " + std::to_string(a.gdiHeld) + " GDI objects, " + std::to_string(a.icons) +
                  " icons, " + std::to_string(a.childWindows) + " controls; without the failure " +
                  std::to_string(b.gdiHeld) + ", " + std::to_string(b.icons) + ", " +
                  std::to_string(b.childWindows));
    };
    auto startedBeforeTheEnd = [&] {
        const bool prefix = seen.started.size() <= clean.started.size() &&
                            std::equal(seen.started.begin(), seen.started.end(), clean.started.begin());
        check(prefix, "started" + Text(seen.started) + " before the end, not the start of" + Text(clean.started));
    };

    if (failures > 1 || plan.permille > 0) {
        // Several failures: whatever came of them, an error box names one of
        // them, and an end without a box has a reason.
        if (box) {
            const bool named = seen.box.starts_with(L"Run-time error '" + std::to_wstring(number) + L"'") ||
                               seen.box.starts_with(L"Run-time error '7'");
            check(named, "the box names no failure put in: " + e2e::ToUtf8(seen.box));
        } else if (!seen.completed) {
            check(plan.failed[k_MessageBoxW] > 0 || plan.failed[k_CreateProcessW] > 0,
                  "ended without the box at " + seen.stopped);
        }
        return wrong;
    }
    if (row < 0) {
        asClean();
        return wrong;
    }
    switch (kRows[row].designed) {
        case Outcome::GoesOn:
            asClean();
            break;
        case Outcome::BoxUnlessMoving:
            if (seen.failedInAMove) {
                asClean();
                break;
            }
            [[fallthrough]];
        case Outcome::ErrorBox:
            boxNumber(number);
            startedBeforeTheEnd();
            break;
        case Outcome::MemoryBox:
            if (box || !seen.completed) {
                boxNumber(7);
                startedBeforeTheEnd();
            } else {
                asClean();
            }
            break;
        case Outcome::NoBox:
            check(!seen.completed, "the launcher should end, without the box it could not show");
            startedBeforeTheEnd();
            break;
        case Outcome::LaunchPolicy: {
            const Launches want = PlayLaunches(plan.firstFailedCall, number);
            check(seen.started == want.lines, "started" + Text(seen.started) + ", not" + Text(want.lines));
            if (want.box)
                boxNumber(want.box);
            else
                check(!box && seen.completed, "the launches should play out without a box; " + seen.stopped);
            break;
        }
    }
    return wrong;
}

}  // namespace kr2::e2e
