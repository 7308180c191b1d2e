// Times kr2_s1.exe against the bare platform, inside Wine or on Windows.
// Expects, in its own directory: kr2_s1.exe, baseline_window.exe and the stamp
// stub as kr2mp.exe, and no ..\Install, so every cue is absent.
//   bench_driver.exe [rounds]
// Prints the figures; exits non-zero only when a measurement could not be made.

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "launch_catalogue.h"
#include "process_watch.h"
#include "show_watch.h"
#include "summary.h"

using namespace kr2::bench;

namespace {

constexpr wchar_t kMainCaption[] = L"Kestrane II Launcher";
constexpr wchar_t kMultiplayer[] = L"&Start Kestrane II Multiplayer";
constexpr DWORD kTimeoutMs = 10000;

struct Setup {
    std::wstring dir;
    std::wstring launcher;
    std::wstring baseline;
    std::wstring stamp;
    const kr2::LaunchAction* multiplayer = nullptr;
};

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "bench: %s\n", what);
    std::fflush(stdout);
    std::exit(1);
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

// ---- 1. process creation to the main window visible ----

double StartupOnce(ShowWatch& watch, const std::wstring& exe, const Setup& s) {
    const long long t0 = Now();
    Child child = Spawn(Quoted(exe), s.dir, SW_SHOWNORMAL);
    if (!child) Fail("cannot start a program");
    watch.Arm(child.pid(), kMainCaption);
    const long long shown = watch.Wait(kTimeoutMs);
    child.Finish(0);
    if (!shown) Fail("no visible main window in time");
    return Milliseconds(shown - t0);
}

// ---- 2. press (or bare CreateProcessW) to the stub's first line of main ----

void ClearStamp(const Setup& s) { DeleteFileW(s.stamp.c_str()); }

// The stub's counter reading; polled the same way for both sides.
long long WaitStamp(const Setup& s) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kTimeoutMs) {
        FILE* f = _wfopen(s.stamp.c_str(), L"rb");
        if (f) {
            long long value = 0;
            const int n = std::fscanf(f, "%lld", &value);
            std::fclose(f);
            if (n == 1) return value;
        }
        Sleep(1);
    }
    Fail("the stub wrote no timestamp (is kr2mp.exe the stamp stub?)");
}

double PressOnce(const Setup& s) {
    Child launcher = Spawn(Quoted(s.launcher), s.dir, SW_SHOWNORMAL);
    if (!launcher) Fail("cannot start kr2_s1.exe");
    HWND main = WaitForTopWindow(launcher.pid(), kMainCaption, kTimeoutMs);
    if (!main) Fail("kr2_s1.exe showed no main window");
    HWND button = FindButton(main, kMultiplayer);
    if (!button) Fail("no multiplayer button on the main window");
    ClearStamp(s);
    const long long t0 = Now();
    if (!Click(button)) Fail("the multiplayer button did not answer");
    const long long stamp = WaitStamp(s);
    launcher.Finish(kTimeoutMs);
    return Milliseconds(stamp - t0);
}

double BareLaunchOnce(const Setup& s) {
    ClearStamp(s);
    const long long t0 = Now();
    Child stub = Spawn(std::wstring(s.multiplayer->commandLine), s.dir,
                       static_cast<int>(s.multiplayer->showState));
    if (!stub) Fail("cannot start the stub");
    const long long stamp = WaitStamp(s);
    stub.Finish(kTimeoutMs);
    return Milliseconds(stamp - t0);
}

// ---- 4. peak working set with all five windows open ----

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

HWND Press(DWORD pid, const wchar_t* window, const wchar_t* button, const wchar_t* opens) {
    HWND owner = WaitForTopWindow(pid, window, kTimeoutMs);
    HWND b = owner ? FindButton(owner, button) : nullptr;
    if (!b || !Click(b)) Fail("a button to open a window is missing or did not answer");
    HWND opened = WaitForTopWindow(pid, opens, kTimeoutMs);
    if (!opened) Fail("a window did not open");
    return opened;
}

double FiveWindowsKiB(const Setup& s) {
    Child launcher = Spawn(Quoted(s.launcher), s.dir, SW_SHOWNORMAL);
    if (!launcher) Fail("cannot start kr2_s1.exe");
    const DWORD pid = launcher.pid();
    if (!WaitForTopWindow(pid, kMainCaption, kTimeoutMs)) Fail("no main window");
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

double BaselineKiB(ShowWatch& watch, const Setup& s) {
    Child child = Spawn(Quoted(s.baseline), s.dir, SW_SHOWNORMAL);
    if (!child) Fail("cannot start the baseline window");
    watch.Arm(child.pid(), kMainCaption);
    if (!watch.Wait(kTimeoutMs)) Fail("no baseline window");
    const SIZE_T peak = PeakWorkingSet(child.pid());
    child.Finish(0);
    return static_cast<double>(peak) / 1024.0;
}

// ---- report ----

void PrintPair(const char* title, const std::vector<double>& ours, const std::vector<double>& bare) {
    const Summary a = Summarise(ours);
    const Summary b = Summarise(bare);
    const double ratio = a.median / b.median;
    std::printf("%s (ms, median [min..max] over %zu rounds)\n", title, ours.size());
    std::printf("  kr2_s1.exe     %8.2f  [%.2f .. %.2f]\n", a.median, a.min, a.max);
    std::printf("  bare platform  %8.2f  [%.2f .. %.2f]\n", b.median, b.min, b.max);
    std::printf("  ratio          %8.3f  (target at most 1.10: %s)\n", ratio,
                ratio <= 1.10 ? "met" : "NOT met");
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
    s.stamp = s.dir + L"\\stamp.txt";
    for (const auto& entry : kr2::kLaunchCatalogue)
        if (entry.name == "MultiplayerStart") s.multiplayer = &entry;
    if (!s.multiplayer) Fail("no MultiplayerStart entry in the catalogue");
    for (const auto* path : {&s.launcher, &s.baseline})
        if (GetFileAttributesW(path->c_str()) == INVALID_FILE_ATTRIBUTES)
            Fail("kr2_s1.exe or baseline_window.exe missing beside the driver");
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    if (rounds < 1) Fail("usage: bench_driver.exe [rounds]");
    const Setup s = Locate();
    SetEnvironmentVariableW(L"KR2_BENCH_STAMP", s.stamp.c_str());

    ShowWatch watch;
    if (!watch) Fail("SetWinEventHook failed");

    // One unrecorded round first, so neither side pays for cold caches alone.
    std::vector<double> upOurs, upBare, pressOurs, pressBare;
    for (int round = -1; round < rounds; ++round) {
        // Alternate which side goes first, so a drift hits both alike.
        const bool oursFirst = round % 2 == 0;
        double a, b, c, d;
        if (oursFirst) {
            a = StartupOnce(watch, s.launcher, s);
            b = StartupOnce(watch, s.baseline, s);
            c = PressOnce(s);
            d = BareLaunchOnce(s);
        } else {
            b = StartupOnce(watch, s.baseline, s);
            a = StartupOnce(watch, s.launcher, s);
            d = BareLaunchOnce(s);
            c = PressOnce(s);
        }
        if (round < 0) continue;
        upOurs.push_back(a);
        upBare.push_back(b);
        pressOurs.push_back(c);
        pressBare.push_back(d);
    }
    PrintPair("1. start-up: process creation to main window visible, cues absent", upOurs, upBare);
    PrintPair("2. press to start: BM_CLICK (or bare CreateProcessW) to the stub's main", pressOurs,
              pressBare);

    std::vector<double> wsOurs, wsBare;
    for (int i = 0; i < 3; ++i) {
        wsOurs.push_back(FiveWindowsKiB(s));
        wsBare.push_back(BaselineKiB(watch, s));
    }
    const Summary o = Summarise(wsOurs);
    const Summary b = Summarise(wsBare);
    std::printf("4. peak working set (KiB, median [min..max] over 3 runs)\n");
    std::printf("  kr2_s1.exe, five windows open  %8.0f  [%.0f .. %.0f]\n", o.median, o.min, o.max);
    std::printf("  bare platform, one window      %8.0f  [%.0f .. %.0f]\n", b.median, b.min, b.max);
    return 0;
}
