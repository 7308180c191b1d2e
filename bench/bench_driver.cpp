// Times kr2_s1.exe against the bare platform; scripts/bench runs it inside Wine.
// Expects in its own directory: kr2_s1.exe, baseline_window.exe,
// baseline_window_comctl.exe, baseline_window_cc6.exe, same_window.exe and
// the stamp stub as kr2mp.exe; no ..\Install. A kr2_s1_before.exe there (an
// earlier build) joins the start-up group as one more side.
//   bench_driver.exe [rounds] [startup|icons]
// With "startup" only the start-up group runs; with "icons" only the ways of
// giving the main window its icons, timed in the bare same window. Prints
// the figures; exits non-zero only when a measurement could not be made.

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
    double target = 0;  // the most kr2_s1.exe may take against this side, as a ratio; 0: none
};

// Each round's first side over the other side of the same round: the two
// ran back to back, so a change of the load from one round to the next does
// not enter the ratio.
Summary PerRound(const Side& ours, const Side& other) {
    std::vector<double> paired;
    for (size_t r = 0; r < ours.values.size(); ++r) paired.push_back(ours.values[r] / other.values[r]);
    return Summarise(paired);
}

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
        // Progress, which scripts/bench follows as it comes: every tenth round.
        if (round >= 0 && ((round + 1) % 10 == 0 || round + 1 == rounds)) {
            std::fprintf(stderr, "bench: progress: round %d of %d, %s and %d more\n", round + 1, rounds,
                         sides[0].label, n - 1);
            std::fflush(stderr);
        }
    }
}

void PrintLine(const char* label, const Summary& s) {
    std::printf("  %-34s %8.2f  [%.2f .. %.2f]\n", label, s.median, s.min, s.max);
}

// sides[0] is kr2_s1.exe, sides[1] the bare platform the first target is
// set against; a further side may carry a target of its own or only help to
// explain the difference.
void PrintGroup(const char* title, const std::vector<Side>& sides) {
    std::printf("%s\n  (ms: median [min .. max] over %zu rounds)\n", title, sides[0].values.size());
    std::vector<Summary> sums;
    for (const Side& side : sides) {
        sums.push_back(Summarise(side.values));
        PrintLine(side.label, sums.back());
        if (!side.parts.empty()) PrintLine("  of which to window created", Summarise(side.parts));
    }
    const double ratio = sums[0].median / sums[1].median;
    std::printf("  %-34s %8.3f  (target at most %.2f: %s)\n", "ratio of medians", ratio, sides[1].target,
                ratio <= sides[1].target ? "met" : "NOT met");
    std::printf("  %-34s %8.3f\n", "ratio of minimums", sums[0].min / sums[1].min);
    const Summary p = PerRound(sides[0], sides[1]);
    std::printf("  %-34s %8.3f  [%.3f .. %.3f]\n", "median of per-round ratios", p.median, p.min,
                p.max);
    for (size_t i = 2; i < sides.size(); ++i) {
        const Summary r = PerRound(sides[0], sides[i]);
        std::printf("  kr2_s1.exe / %s: %.3f (medians), %.3f (minimums), %.3f [%.3f .. %.3f] (per round)",
                    sides[i].label, sums[0].median / sums[i].median, sums[0].min / sums[i].min, r.median,
                    r.min, r.max);
        if (sides[i].target > 0)
            std::printf("; target per round at most %.2f: %s", sides[i].target,
                        r.median <= sides[i].target ? "met" : "NOT met");
        std::printf("\n");
    }
}

// The same window given its icons in different ways, against the first way:
// the whole start-up, and the window's own part as the program read it from
// its WinMain to its ShowWindow's return (icons loaded with the class, and
// what the platform does with them at the show, fall inside it).
void PrintWays(const char* title, const std::vector<Side>& sides) {
    std::printf("%s\n  (ms: median [min .. max] over %zu rounds; per round: against %s)\n", title,
                sides[0].values.size(), sides[0].label);
    for (const Side& side : sides) {
        const Summary s = Summarise(side.values);
        const Summary r = PerRound(side, sides[0]);
        std::printf("  %-34s %8.2f  [%.2f .. %.2f]  per round %.3f [%.3f .. %.3f]\n", side.label, s.median,
                    s.min, s.max, r.median, r.min, r.max);
        std::vector<double> ratio, difference;
        for (size_t i = 0; i < side.parts.size() && i < sides[0].parts.size(); ++i) {
            ratio.push_back(side.parts[i] / sides[0].parts[i]);
            difference.push_back(side.parts[i] - sides[0].parts[i]);
        }
        const Summary a = Summarise(side.parts);
        const Summary q = Summarise(ratio);
        const Summary d = Summarise(difference);
        std::printf("    %-32s %8.2f  [%.2f .. %.2f]  per round %.3f, %+.2f ms [%+.2f .. %+.2f]\n",
                    "WinMain to ShowWindow returned", a.median, a.min, a.max, q.median, d.median, d.min,
                    d.max);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    const char* mode = argc > 2 ? argv[2] : nullptr;
    const bool startupOnly = mode && std::strcmp(mode, "startup") == 0;
    if (rounds < 1) Fail("usage: bench_driver.exe [rounds] [startup|icons]");
    const Setup s = Locate();
    SetEnvironmentVariableW(L"KR2_BENCH_STAMP", s.stamp.c_str());
    ShowWatch watch;
    if (!watch) Fail("SetWinEventHook failed");

    if (mode && std::strcmp(mode, "icons") == 0) {
        auto way = [&](const char* label, const wchar_t* args) {
            return Side{label, [&s, &watch, args](double* part) {
                            return StartupMs(watch, s.sameWindow, s, nullptr, args, part);
                        }, {}, {}};
        };
        std::vector<Side> ways{
            way("WM_SETICON, LoadImageW", L"icons=message stamp"),
            way("class icons, LoadImageW", L"icons=class stamp"),
            way("WM_SETICON, LoadImageW LR_SHARED", L"icons=shared stamp"),
            way("WM_SETICON, LoadIconWithScaleDown", L"icons=scaledown stamp"),
            way("no icons", L"icons=none stamp"),
        };
        RunRounds(ways, rounds);
        PrintWays("icons: the bare same window, to visible, by how it gets its icons", ways);
        return 0;
    }

    auto startupOf = [&](const char* label, const std::wstring& exe, double target = 0) {
        return Side{label, [&watch, &s, &exe](double* part) { return StartupMs(watch, exe, s, part); },
                    {}, {}, target};
    };
    std::vector<Side> startup{
        startupOf("kr2_s1.exe", s.launcher),
        startupOf("bare window", s.baseline, 1.10),
        startupOf("bare window + comctl32", s.baselineComctl),
        startupOf("bare window + comctl32 + manifest", s.baseline6),
        startupOf("same window, bare program", s.sameWindow, 1.05),
    };
    if (!s.before.empty()) startup.push_back(startupOf("kr2_s1_before.exe", s.before));
    RunRounds(startup, rounds);
    PrintGroup("1. start-up: process creation to the main window visible, cues absent", startup);
    if (startupOnly) return 0;

    std::vector<Side> press{
        {"kr2_s1.exe, BM_CLICK", [&](double*) { return PressMs(s.launcher, nullptr, s); }, {}, {}},
        {"bare CreateProcessW", [&](double*) { return BareLaunchMs(s); }, {}, {}, 1.10},
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
