#include "measurements.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "launch_catalogue.h"
#include "process_watch.h"

namespace kr2::bench {

namespace {

constexpr wchar_t kMainCaption[] = L"Kestrane II Launcher";
constexpr wchar_t kMultiplayer[] = L"&Start Kestrane II Multiplayer";
constexpr DWORD kTimeoutMs = 10000;
// A pause before each timed start or press, so that what the previous step
// left behind (a process still being torn down, a first paint) is not
// counted against the next one.
constexpr DWORD kSettleMs = 100;

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

void ClearStamp(const Setup& s) { DeleteFileW(s.stamp.c_str()); }

// The counter readings a program wrote (the stub's one, the same window's
// two); polled the same way for every side.
void WaitStamps(const Setup& s, long long* values, int count) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kTimeoutMs) {
        if (FILE* f = _wfopen(s.stamp.c_str(), L"rb")) {
            int n = 0;
            while (n < count && std::fscanf(f, "%lld", &values[n]) == 1) ++n;
            std::fclose(f);
            if (n == count) return;
        }
        Sleep(1);
    }
    Fail("no timestamp written (is kr2mp.exe the stamp stub?)");
}

long long WaitStamp(const Setup& s) {
    long long value = 0;
    WaitStamps(s, &value, 1);
    return value;
}

double Since(long long t0, long long stamp) {
    if (stamp < t0) Fail("the stub's timestamp precedes the start: counters not comparable");
    return Milliseconds(stamp - t0);
}

SIZE_T PeakWorkingSet(DWORD pid) {
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!h) Fail("cannot open the process for its memory figures");
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    const BOOL ok = GetProcessMemoryInfo(h, &pmc, sizeof pmc);
    CloseHandle(h);
    if (!ok) Fail("GetProcessMemoryInfo failed");
    return pmc.PeakWorkingSetSize;
}

// Presses a button of one window and waits for the window it opens.
void Press(DWORD pid, const wchar_t* window, const wchar_t* button, const wchar_t* opens) {
    HWND owner = WaitForTopWindow(pid, window, kTimeoutMs);
    HWND b = owner ? FindButton(owner, button) : nullptr;
    if (!b || !Click(b)) Fail("a button that opens a window is missing or did not answer");
    if (!WaitForTopWindow(pid, opens, kTimeoutMs)) Fail("a window did not open");
}

}  // namespace

[[noreturn]] void Fail(const char* what) {
    std::fflush(stdout);
    std::fprintf(stderr, "bench: %s\n", what);
    std::exit(1);
}

Setup Locate() {
    wchar_t self[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) Fail("cannot find the driver's own path");
    Setup s;
    s.dir.assign(self, n);
    s.dir.resize(s.dir.find_last_of(L'\\'));
    s.launcher = s.dir + L"\\kr2_s1.exe";
    s.baseline = s.dir + L"\\baseline_window.exe";
    s.baselineComctl = s.dir + L"\\baseline_window_comctl.exe";
    s.baseline6 = s.dir + L"\\baseline_window_cc6.exe";
    s.sameWindow = s.dir + L"\\same_window.exe";
    s.stamp = s.dir + L"\\stamp.txt";
    if (GetFileAttributesW((s.dir + L"\\kr2_s1_before.exe").c_str()) != INVALID_FILE_ATTRIBUTES)
        s.before = s.dir + L"\\kr2_s1_before.exe";
    for (const auto& entry : kLaunchCatalogue)
        if (entry.name == "MultiplayerStart") s.multiplayer = &entry;
    if (!s.multiplayer) Fail("no MultiplayerStart entry in the catalogue");
    for (const auto* path : {&s.launcher, &s.baseline, &s.baselineComctl, &s.baseline6, &s.sameWindow})
        if (GetFileAttributesW(path->c_str()) == INVALID_FILE_ATTRIBUTES)
            Fail("kr2_s1.exe, same_window.exe or a baseline_window build is missing beside the driver");
    return s;
}

double StartupMs(ShowWatch& watch, const std::wstring& exe, const Setup& s, double* createdMs,
                 const wchar_t* args, double* inProcessMs) {
    std::wstring line = Quoted(exe);
    if (args) line += std::wstring(L" ") + args;
    if (inProcessMs) ClearStamp(s);
    Sleep(kSettleMs);
    const long long t0 = Now();
    Child child = Spawn(line, s.dir, SW_SHOWNORMAL);
    if (!child) {
        std::fwprintf(stderr, L"bench: %ls: CreateProcessW error %lu\n", exe.c_str(), GetLastError());
        Fail("cannot start a program");
    }
    watch.Arm(child.pid(), kMainCaption);
    const long long shown = watch.Wait(kTimeoutMs);
    const bool unreported = !shown && FindTopWindow(child.pid(), kMainCaption);
    if (shown && inProcessMs) {
        // Written once ShowWindow has returned: the process lives until then.
        long long entryAndShown[2]{};
        WaitStamps(s, entryAndShown, 2);
        *inProcessMs = Milliseconds(entryAndShown[1] - entryAndShown[0]);
    }
    child.Finish(0);
    if (!shown) {
        std::fwprintf(stderr, L"bench: %ls: no main window seen in time%ls\n", exe.c_str(),
                      unreported ? L" (it is visible: its creation was not reported)" : L"");
        Fail("start-up not measured");
    }
    const long long created = watch.CreatedAt();
    if (createdMs) *createdMs = created ? Milliseconds(created - t0) : Milliseconds(shown - t0);
    return Milliseconds(shown - t0);
}

double PressMs(const std::wstring& exe, const wchar_t* extraArgs, const Setup& s) {
    std::wstring line = Quoted(exe);
    if (extraArgs) line += std::wstring(L" ") + extraArgs;
    Child program = Spawn(line, s.dir, SW_SHOWNORMAL);
    if (!program) Fail("cannot start a program to press its button");
    HWND main = WaitForTopWindow(program.pid(), kMainCaption, kTimeoutMs);
    if (!main) Fail("no main window to press a button on");
    HWND button = FindButton(main, kMultiplayer);
    if (!button) Fail("no multiplayer button on the main window");
    // A player presses a window that is up and idle.
    WaitForInputIdle(program.handle(), kTimeoutMs);
    ClearStamp(s);
    Sleep(kSettleMs);
    const long long t0 = Now();
    if (!Click(button)) Fail("the multiplayer button did not answer");
    const long long stamp = WaitStamp(s);
    program.Finish(kTimeoutMs);
    return Since(t0, stamp);
}

double BareLaunchMs(const Setup& s) {
    ClearStamp(s);
    Sleep(kSettleMs);
    const long long t0 = Now();
    Child stub = Spawn(std::wstring(s.multiplayer->commandLine), s.dir,
                       static_cast<int>(s.multiplayer->showState));
    if (!stub) Fail("cannot start the stub");
    const long long stamp = WaitStamp(s);
    stub.Finish(kTimeoutMs);
    return Since(t0, stamp);
}

double FiveWindowsKiB(const Setup& s) {
    Child launcher = Spawn(Quoted(s.launcher), s.dir, SW_SHOWNORMAL);
    if (!launcher) Fail("cannot start kr2_s1.exe");
    const DWORD pid = launcher.pid();
    Press(pid, kMainCaption, L"&Start Kestrane II Single Player", L"HM Games");
    Press(pid, kMainCaption, L"&Options", L"HM Options");
    Press(pid, kMainCaption, L"&About", L"About");
    // "SP Levels" closes the options window, so it is opened once more after.
    Press(pid, L"HM Options", L"SP Levels", L"SP Levels");
    const DWORD start = GetTickCount();
    while (FindTopWindow(pid, L"HM Options") && GetTickCount() - start < kTimeoutMs) Sleep(1);
    Press(pid, kMainCaption, L"&Options", L"HM Options");
    for (const wchar_t* caption : {kMainCaption, L"HM Games", L"HM Options", L"SP Levels", L"About"})
        if (!FindTopWindow(pid, caption)) Fail("not all five windows are open");
    const SIZE_T peak = PeakWorkingSet(pid);
    launcher.Finish(0);
    return static_cast<double>(peak) / 1024.0;
}

double BareWindowKiB(ShowWatch& watch, const Setup& s) {
    Child child = Spawn(Quoted(s.baseline), s.dir, SW_SHOWNORMAL);
    if (!child) Fail("cannot start the bare window");
    watch.Arm(child.pid(), kMainCaption);
    if (!watch.Wait(kTimeoutMs)) Fail("no bare window");
    const SIZE_T peak = PeakWorkingSet(child.pid());
    child.Finish(0);
    return static_cast<double>(peak) / 1024.0;
}

}  // namespace kr2::bench
