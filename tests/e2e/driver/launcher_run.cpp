#include "launcher_run.h"

#include <tlhelp32.h>

#include <cstdio>
#include <stdexcept>

#include "expect.h"
#include "expected_layout.h"
#include "inside_probe.h"
#include "key_input.h"
#include "outside_programs.h"
#include "utf8.h"
#include "wave_file.h"
#include "window_probe.h"

namespace kr2::e2e {
namespace {

// The process whose image is `exe`, once it exists; 0 on timeout.
DWORD WaitForProcessOf(const std::wstring& exe, DWORD timeoutMs) {
    DWORD found = 0;
    WaitFor(
        [&] {
            e2e::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
            PROCESSENTRY32W entry{};
            entry.dwSize = sizeof entry;
            for (BOOL more = Process32FirstW(snapshot.get(), &entry); more && !found;
                 more = Process32NextW(snapshot.get(), &entry)) {
                if (_wcsicmp(entry.szExeFile, L"kr2_s1.exe") != 0) continue;
                e2e::UniqueHandle process(
                    OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
                std::wstring image(32768, L'\0');
                DWORD size = static_cast<DWORD>(image.size());
                if (process && QueryFullProcessImageNameW(process.get(), 0, image.data(), &size)) {
                    image.resize(size);
                    if (e2e::SamePath(image, exe)) found = entry.th32ProcessID;
                }
            }
            return found != 0;
        },
        timeoutMs);
    return found;
}

}  // namespace

std::wstring LauncherExe() {
    static const std::wstring exe = [] {
        std::wstring path = KR2_LAUNCHER_EXE;
        const char* whose = "built beside this program";
        std::wstring other(32768, L'\0');
        const DWORD length = GetEnvironmentVariableW(kOtherLauncherVariable, other.data(),
                                                     static_cast<DWORD>(other.size()));
        if (length >= other.size())
            throw std::runtime_error("the launcher named by KR2_E2E_LAUNCHER is too long a path");
        if (length > 0) {
            other.resize(length);
            path = other;
            whose = "named by KR2_E2E_LAUNCHER";
        }
        for (wchar_t& c : path) if (c == L'/') c = L'\\';
        if (!e2e::FileExists(path))
            throw std::runtime_error("no launcher at " + e2e::ToUtf8(path) + " (" + whose + ")");
        // In the output of every run: a group that tests another build
        // fails when it finds the default one here.
        std::printf("launcher under test: %s (%s)\n", e2e::ToUtf8(path).c_str(), whose);
        std::fflush(stdout);
        return path;
    }();
    return exe;
}

LauncherResources::LauncherResources()
    : module_(LoadLibraryExW(LauncherExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}

LauncherResources::~LauncherResources() {
    if (module_) FreeLibrary(module_);
}

GameLayout::GameLayout(const std::wstring& caseName)
    : root_(caseName), log_(root_ / L"stub.log") {
    e2e::CopyFileTo(LauncherExe(), GameDir() + L"\\kr2_s1.exe");
    e2e::PlaceStub(GameDir() + L"\\kr2sp.exe");
    e2e::PlaceStub(GameDir() + L"\\kr2mp.exe");
}

void GameLayout::WriteCue(const std::wstring& file, unsigned ms) const {
    e2e::WriteWav(InstallDir() + L"\\" + file, ms);
}

LauncherRun::LauncherRun(const GameLayout& layout, bool faultHarness)
    : LauncherRun(layout.GameDir() + L"\\kr2_s1.exe", layout.GameDir(), layout.Log(), faultHarness) {}

LauncherRun::LauncherRun(const std::wstring& exePath, const std::wstring& workingDir, const e2e::StubLog& log,
                         bool faultHarness) {
    log.Clear();
    // Several layouts may live in one test: the stubs write to this one's log.
    SetEnvironmentVariableW(e2e::kStubLogVariable, log.path().c_str());
    e2e::ChildOptions options;
    options.applicationName = exePath;
    options.commandLine = L"kr2_s1.exe";
    options.workingDir = workingDir;
    if (faultHarness) options.loadFirst = InsideProbeDll();
    startedAt_ = e2e::NowMs();
    process_ = std::make_unique<e2e::ChildProcess>(options);
}

LauncherRun::LauncherRun(FromHostShell, const GameLayout& layout) {
    const std::wstring exe = layout.GameDir() + L"\\kr2_s1.exe";
    layout.Log().Clear();
    SetEnvironmentVariableW(e2e::kStubLogVariable, layout.Log().path().c_str());
    // Wine runs a host program named by its path on Z:; the environment
    // (prefix, display, sound) passes on to `wine`. Such a process has no
    // Windows handle to wait on: the launcher is found by its image instead.
    std::wstring line = L"/bin/sh -c \"cd / && exec wine '" + exe + L"'\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    startedAt_ = e2e::NowMs();
    if (!CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        throw std::runtime_error("cannot start /bin/sh: error " + std::to_string(GetLastError()));
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    const DWORD pid = WaitForProcessOf(exe, 10000);
    if (!pid) throw std::runtime_error("the launcher started through wine never appeared as " + e2e::ToUtf8(exe));
    process_ = std::make_unique<e2e::ChildProcess>(pid);
}

HWND LauncherRun::WaitWindow(WindowId w, DWORD timeoutMs) const {
    const ExpectedWindow& want = Expected(w);
    HWND found = WaitForWindow(Pid(), want.caption, timeoutMs);
    if (!found) {
        const auto all = TopLevelWindows(Pid(), want.caption);
        Expect(false, Name(w) + " should be open exactly once; windows with its caption: " +
                          std::to_string(all.size()));
    }
    return found;
}

bool LauncherRun::WaitGone(WindowId w, DWORD timeoutMs) const {
    return WaitForNoWindow(Pid(), Expected(w).caption, timeoutMs);
}

bool LauncherRun::WaitExit(DWORD timeoutMs) { return process_->Wait(timeoutMs).has_value(); }

bool LauncherRun::Press(HWND top, WindowId w, std::wstring_view caption, By by) const {
    const ExpectedWindow& want = Expected(w);
    const int index = ControlIndex(want, caption);
    HWND control = top && index >= 0 ? FindControl(top, want, index) : nullptr;
    if (!Expect(control != nullptr,
                Name(w) + ": no control " + e2e::Describe(caption) + " to press"))
        return false;
    if (by == By::Mouse)
        MouseClick(CentreOf(control));
    else if (by == By::DoubleClick)
        MouseDoubleClick(CentreOf(control));
    else
        PostMessageW(control, BM_CLICK, 0, 0);
    return true;
}

HWND LauncherRun::Open(WindowId w) const {
    // The way the design opens it, through the windows before.
    const design::Way way = design::Layout(w).openedBy;
    if (way.control.empty()) return WaitWindow(w);
    HWND from = Open(way.from);
    Press(from, way.from, design::OpenerCaption(w));
    // Opened means active too: a check that activates another window must
    // not race the launcher's own activation of this one.
    HWND opened = WaitWindow(w);
    if (opened) Expect(WaitForeground(opened), Name(w) + " comes to the foreground when opened");
    return opened;
}

void ExpectRan(const StubRecord& r, const std::string& what, const std::wstring& module, const std::wstring& dir,
               std::optional<unsigned> showState) {
    Expect(SamePath(r.module, module), what + ": program that ran\n      expected: " + Describe(module) +
                                           "\n      seen:     " + Describe(r.module));
    Expect(SamePath(r.currentDir, dir), what + ": working directory\n      expected: " + Describe(dir) +
                                            "\n      seen:     " + Describe(r.currentDir));
    if (!showState) return;
    Expect((r.startupFlags & STARTF_USESHOWWINDOW) != 0, what + ": a show state was handed over");
    ExpectEq(r.showWindow, *showState, what + ": show state");
}

}  // namespace kr2::e2e
