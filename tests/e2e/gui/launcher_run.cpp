#include "launcher_run.h"

#include "expect.h"
#include "wave_file.h"
#include "window_probe.h"

namespace kr2::gui {
namespace {

std::wstring LauncherExe() {
    std::wstring path = KR2_LAUNCHER_EXE;
    for (wchar_t& c : path) if (c == L'/') c = L'\\';
    return path;
}

}  // namespace

GameLayout::GameLayout(const std::wstring& caseName)
    : root_(caseName), log_(root_ / L"stub.log") {
    e2e::CopyFileTo(LauncherExe(), GameDir() + L"\\kr2_s1.exe");
    e2e::PlaceStub(GameDir() + L"\\kr2sp.exe");
    e2e::PlaceStub(GameDir() + L"\\kr2mp.exe");
}

void GameLayout::WriteCue(const std::wstring& file, unsigned ms) const {
    e2e::WriteWav(InstallDir() + L"\\" + file, ms);
}

LauncherRun::LauncherRun(const GameLayout& layout)
    : LauncherRun(layout.GameDir() + L"\\kr2_s1.exe", layout.GameDir(), layout.Log()) {}

LauncherRun::LauncherRun(const std::wstring& exePath, const std::wstring& workingDir,
                         const e2e::StubLog& log) {
    log.Clear();
    // Several layouts may live in one test: the stubs write to this one's log.
    SetEnvironmentVariableW(e2e::kStubLogVariable, log.path().c_str());
    e2e::ChildOptions options;
    options.applicationName = exePath;
    options.commandLine = L"kr2_s1.exe";
    options.workingDir = workingDir;
    startedAt_ = e2e::NowMs();
    process_ = std::make_unique<e2e::ChildProcess>(options);
}

HWND LauncherRun::WaitWindow(Win w, DWORD timeoutMs) const {
    const ExpectedWindow& want = Expected(w);
    HWND found = WaitForWindow(Pid(), want.caption, timeoutMs);
    if (!found) {
        const auto all = TopLevelWindows(Pid(), want.caption);
        Expect(false, std::string(want.name) + " should be open exactly once; windows with its caption: " +
                          std::to_string(all.size()));
    }
    return found;
}

bool LauncherRun::WaitGone(Win w, DWORD timeoutMs) const {
    return WaitForNoWindow(Pid(), Expected(w).caption, timeoutMs);
}

bool LauncherRun::WaitExit(DWORD timeoutMs) { return process_->Wait(timeoutMs).has_value(); }

bool LauncherRun::Press(HWND top, Win w, std::wstring_view caption) const {
    const ExpectedWindow& want = Expected(w);
    const int index = ControlIndex(want, caption);
    HWND control = top && index >= 0 ? FindControl(top, want, index) : nullptr;
    if (!Expect(control != nullptr,
                std::string(want.name) + ": no control " + e2e::Describe(caption) + " to press"))
        return false;
    PostMessageW(control, BM_CLICK, 0, 0);
    return true;
}

HWND LauncherRun::Open(Win w) const {
    HWND main = WaitWindow(Win::Main);
    switch (w) {
        case Win::Main: return main;
        case Win::Games: Press(main, Win::Main, L"&Start Kestrane II Single Player"); break;
        case Win::Options: Press(main, Win::Main, L"&Options"); break;
        case Win::About: Press(main, Win::Main, L"&About"); break;
        case Win::Levels: {
            HWND options = Open(Win::Options);
            Press(options, Win::Options, L"SP Levels");
            break;
        }
    }
    return WaitWindow(w);
}

}  // namespace kr2::gui
