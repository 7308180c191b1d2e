#pragma once
// The launcher installed in a throwaway game layout and started from its own
// directory, the way a player starts it:
//   C:\kr2e2e\<case>\Game\kr2_s1.exe   with stub kr2sp.exe and kr2mp.exe beside it
//   C:\kr2e2e\<case>\Install\*.WAV     only the cues a case writes
//   C:\kr2e2e\<case>\stub.log          what the started stubs saw

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "child_process.h"
#include "expected_windows.h"
#include "files.h"
#include "stub_log.h"
#include "utf8.h"

namespace kr2::e2e {

// The kr2_s1.exe under test, as Windows names it: the one built beside this
// program, or another build named by the environment variable
// KR2_E2E_LAUNCHER (a Windows path; Z:/... for a file on the Linux side;
// empty counts as unset), such as the second compiler's
// (tests/e2e/second_compiler.cmake). Throws when the file is missing; the
// first call prints which one it is.
inline constexpr wchar_t kOtherLauncherVariable[] = L"KR2_E2E_LAUNCHER";
std::wstring LauncherExe();

// That executable opened for its resources alone (its artwork).
class LauncherResources {
public:
    LauncherResources();
    ~LauncherResources();
    LauncherResources(const LauncherResources&) = delete;
    LauncherResources& operator=(const LauncherResources&) = delete;
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

class GameLayout {
public:
    explicit GameLayout(const std::wstring& caseName);
    // The stubs the launcher started end before the folders go.
    ~GameLayout() { log_.WaitForWritersToEnd(); }
    GameLayout(const GameLayout&) = delete;
    GameLayout& operator=(const GameLayout&) = delete;

    std::wstring GameDir() const { return root_ / L"Game"; }
    std::wstring InstallDir() const { return root_ / L"Install"; }
    // A real wave of `ms` milliseconds as Install\<file>.
    void WriteCue(const std::wstring& file, unsigned ms) const;
    const e2e::StubLog& Log() const { return log_; }

private:
    e2e::TempRoot root_;
    e2e::StubLog log_;
};

class LauncherRun {
public:
    LauncherRun() = default;  // not started: for a test fixture that starts it later
    // Starts Game\kr2_s1.exe with Game as its current directory; the stub
    // log of this layout is emptied first. `faultHarness`: the inside probe's
    // DLL goes in before the launcher's first instruction, and its fault
    // harness follows the plan named in KR2_FAULT_PLAN (fault_plan.h).
    explicit LauncherRun(const GameLayout& layout, bool faultHarness = false);
    // Starts the launcher at `exePath` with `workingDir` as its current
    // directory (a drive letter mapped onto the game, a foreign directory);
    // started programs write to `log`, which is emptied first.
    LauncherRun(const std::wstring& exePath, const std::wstring& workingDir, const e2e::StubLog& log,
                bool faultHarness = false);
    // Starts Game\kr2_s1.exe from the host's side, through /bin/sh and
    // `wine`, with Z:\ as its current directory: the one way Wine starts a
    // program whose folder is longer than MAX_PATH (its CreateProcessW
    // refuses such a path). Returns once the process exists.
    struct FromHostShell {};
    LauncherRun(FromHostShell, const GameLayout& layout);

    DWORD Pid() const { return process_->processId(); }
    std::uint64_t StartedAtMs() const { return startedAt_; }

    // The one visible window of that kind; nullptr (and a failed check) on timeout.
    HWND WaitWindow(WindowId w, DWORD timeoutMs = 5000) const;
    // No visible window of that kind any more.
    bool WaitGone(WindowId w, DWORD timeoutMs = 5000) const;
    bool WaitExit(DWORD timeoutMs = 5000);
    // The exit code once it has ended; nothing on timeout.
    std::optional<std::uint32_t> ExitCode(DWORD timeoutMs = 5000) { return process_->Wait(timeoutMs); }
    void Kill() { process_->Kill(); }
    // Ends a launcher that still runs, as the scope of a test body ends;
    // declared after what the body puts in place (stand-ins, settings), it
    // ends the launcher before they are put back, however the body ends.
    struct EndsFirst {
        const LauncherRun& run;
        ~EndsFirst() {
            if (run.process_ && run.process_->Running()) run.process_->Kill();
        }
    };
    bool Running() const { return process_->Running(); }

    // Presses a control by its caption; false (and a failed check) when the
    // window has no such control. By default with a posted BM_CLICK, for the
    // presses whose point is what the button does (which window opens, what
    // starts): real clicks under Wine's virtual desktop go astray now and
    // then when the pointer jumps between windows (key_input.cpp), and the
    // window must be unobscured. Real: a real mouse click at the control's
    // centre, for the checks that a player's click presses the button;
    // DoubleClick: two of them, as quick as a player's double click.
    enum class By { Post, Mouse, DoubleClick };
    bool Press(HWND top, WindowId w, std::wstring_view caption, By by = By::Post) const;
    // Opens a secondary window through the buttons that lead to it (the
    // level window through the options window) and waits for it to be open
    // and in the foreground.
    HWND Open(WindowId w) const;

private:
    std::unique_ptr<e2e::ChildProcess> process_;
    std::uint64_t startedAt_ = 0;
};

// What a started program recorded: which file ran, in which working
// directory, and how it was asked to show where `showState` is given.
void ExpectRan(const StubRecord& r, const std::string& what, const std::wstring& module, const std::wstring& dir,
               std::optional<unsigned> showState = std::nullopt);

// A test of the launcher in a throwaway game layout named after the test:
// Launch() starts it and waits for its main window, null (and a failed
// check) when it does not come. What a test writes into the layout before
// (cues, stand-ins) is there from the launcher's first instruction.
class LauncherTest : public ::testing::Test {
protected:
    HWND Launch(bool faultHarness = false) {
        { const LauncherRun::EndsFirst previous{run}; }  // one launched before, still running
        run = LauncherRun(layout, faultHarness);
        return main = run.WaitWindow(WindowId::frmMain);
    }
    GameLayout layout{e2e::FromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name())};
    LauncherRun run;
    HWND main = nullptr;
};

}  // namespace kr2::e2e
