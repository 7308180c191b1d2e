// Times kr2_s1.exe against the bare platform; scripts/bench runs it inside Wine.
// Expects in its own directory: kr2_s1.exe, baseline_window.exe,
// baseline_window_comctl.exe, baseline_window_cc6.exe and the stamp stub as kr2mp.exe; no ..\Install.
//   bench_driver.exe [rounds] [startup]
// With "startup" only the start-up group runs. Prints the figures; exits
// non-zero only when a measurement could not be made.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "measurements.h"
#include "summary.h"

using namespace kr2::bench;

namespace {

// One side of a comparison and its timings. A side may also report a part
// of each timing (up to the main window's creation, at start-up).
struct Side {
    const char* label;
    std::function<double(double* part)> measure;
    std::vector<double> values;
    std::vector<double> parts;
};

// Runs every side once per round, rotating which goes first so that a drift
// in the machine's load hits all of them alike. Round -1 warms the caches
// and is not recorded.
void RunRounds(std::vector<Side>& sides, int rounds) {
    const int n = static_cast<int>(sides.size());
    for (int round = -1; round < rounds; ++round) {
        const int first = (round + n) % n;
        for (int i = 0; i < n; ++i) {
            Side& side = sides[(first + i) % n];
            double part = -1;
            const double ms = side.measure(&part);
            if (round < 0) continue;
            side.values.push_back(ms);
            if (part >= 0) side.parts.push_back(part);
        }
    }
}

void PrintLine(const char* label, const Summary& s) {
    std::printf("  %-34s %8.2f  [%.2f .. %.2f]\n", label, s.median, s.min, s.max);
}

// sides[0] is kr2_s1.exe, sides[1] the bare platform the target is set
// against; any further side only helps to explain the difference.
void PrintGroup(const char* title, const std::vector<Side>& sides) {
    std::printf("%s\n  (ms: median [min .. max] over %zu rounds)\n", title, sides[0].values.size());
    std::vector<Summary> sums;
    for (const Side& side : sides) {
        sums.push_back(Summarise(side.values));
        PrintLine(side.label, sums.back());
        if (!side.parts.empty()) PrintLine("  of which to window created", Summarise(side.parts));
    }
    const double ratio = sums[0].median / sums[1].median;
    std::printf("  %-34s %8.3f  (target at most 1.10: %s)\n", "ratio of medians", ratio,
                ratio <= 1.10 ? "met" : "NOT met");
    std::printf("  %-34s %8.3f\n", "ratio of minimums", sums[0].min / sums[1].min);
    // The two sides of one round ran back to back, so a change of the load
    // from one round to the next does not enter the ratio within a round.
    std::vector<double> paired;
    for (size_t r = 0; r < sides[0].values.size(); ++r)
        paired.push_back(sides[0].values[r] / sides[1].values[r]);
    const Summary p = Summarise(paired);
    std::printf("  %-34s %8.3f  [%.3f .. %.3f]\n", "median of per-round ratios", p.median, p.min,
                p.max);
    for (size_t i = 2; i < sides.size(); ++i)
        std::printf("  kr2_s1.exe / %s: %.3f (medians), %.3f (minimums)\n", sides[i].label,
                    sums[0].median / sums[i].median, sums[0].min / sums[i].min);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    const bool startupOnly = argc > 2 && std::strcmp(argv[2], "startup") == 0;
    if (rounds < 1) Fail("usage: bench_driver.exe [rounds] [startup]");
    const Setup s = Locate();
    SetEnvironmentVariableW(L"KR2_BENCH_STAMP", s.stamp.c_str());
    ShowWatch watch;
    if (!watch) Fail("SetWinEventHook failed");

    std::vector<Side> startup{
        {"kr2_s1.exe", [&](double* part) { return StartupMs(watch, s.launcher, s, part); }, {}, {}},
        {"bare window", [&](double* part) { return StartupMs(watch, s.baseline, s, part); }, {}, {}},
        {"bare window + comctl32",
         [&](double* part) { return StartupMs(watch, s.baselineComctl, s, part); }, {}, {}},
        {"bare window + comctl32 + manifest", [&](double* part) { return StartupMs(watch, s.baseline6, s, part); },
         {}, {}},
    };
    RunRounds(startup, rounds);
    PrintGroup("1. start-up: process creation to the main window visible, cues absent", startup);
    if (startupOnly) return 0;

    std::vector<Side> press{
        {"kr2_s1.exe, BM_CLICK", [&](double*) { return PressMs(s.launcher, nullptr, s); }, {}, {}},
        {"bare CreateProcessW", [&](double*) { return BareLaunchMs(s); }, {}, {}},
        {"bare button, BM_CLICK", [&](double*) { return PressMs(s.baseline6, L"button", s); }, {}, {}},
    };
    RunRounds(press, rounds);
    PrintGroup("2. press to start: to the first line of the stub's WinMain, cue absent", press);

    std::vector<double> ours, bare;
    for (int i = 0; i < 3; ++i) {
        ours.push_back(FiveWindowsKiB(s));
        bare.push_back(BareWindowKiB(watch, s));
    }
    std::printf("4. peak working set (KiB: median [min .. max] over 3 runs)\n");
    const Summary o = Summarise(ours);
    const Summary b = Summarise(bare);
    std::printf("  %-34s %8.0f  [%.0f .. %.0f]\n", "kr2_s1.exe, all five windows open", o.median, o.min, o.max);
    std::printf("  %-34s %8.0f  [%.0f .. %.0f]\n", "bare window", b.median, b.min, b.max);
    return 0;
}
