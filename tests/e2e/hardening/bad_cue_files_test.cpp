// Cue files that are broken, huge, protected or missing: every press still
// does what its button does, after the sound when there is one to play, at
// once when there is none, and no box ever appears. One launcher run walks
// through every kind of click.WAV; the file is read afresh on each press.

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

#include "expect.h"
#include "files.h"
#include "launcher_run.h"
#include "message_boxes.h"
#include "odd_waves.h"
#include "wave_file.h"
#include "window_probe.h"

namespace kr2::e2e {
namespace {

using HardeningCueFiles = LauncherTest;

enum class Outcome {
    Plays,   // the window opens no sooner than the sound's length
    Silent,  // the window opens at once
    Acts,    // not a playable wave: the platform may put its default sound in its place
};

constexpr std::uint64_t kAtOnceMs = 500;
constexpr std::uint64_t kUnplayableBoundMs = 3000;
constexpr unsigned kCueMs = 1500;

struct CueCase {
    const char* name;
    // Lays out Install for the case; returns how long click.WAV plays.
    std::function<unsigned(const std::wstring& click)> setup;
    Outcome outcome;
};

unsigned Bytes(const std::wstring& click, const std::string& bytes) {
    e2e::WriteBytes(click, bytes);
    return 0;
}

unsigned WaveWith(const std::wstring& click, DWORD attribute) {
    e2e::WriteWav(click, kCueMs);
    if (!SetFileAttributesW(click.c_str(), attribute)) throw std::runtime_error("cannot set attributes");
    return kCueMs;
}

const CueCase kCases[] = {
    {"0 bytes", [](const std::wstring& c) { return Bytes(c, ""); }, Outcome::Acts},
    {"truncated RIFF header", [](const std::wstring& c) { return Bytes(c, TruncatedRiffHeader()); }, Outcome::Acts},
    {"random bytes", [](const std::wstring& c) { return Bytes(c, RandomBytes(4096)); }, Outcome::Acts},
    {"data size past the end", [](const std::wstring& c) { return Bytes(c, DataSizePastTheEnd(1000)); },
     Outcome::Acts},
    {"oversized fmt chunk", [](const std::wstring& c) { return Bytes(c, OversizedFmtChunk()); }, Outcome::Acts},
    {"read-only wave", [](const std::wstring& c) { return WaveWith(c, FILE_ATTRIBUTE_READONLY); }, Outcome::Plays},
    {"hidden wave", [](const std::wstring& c) { return WaveWith(c, FILE_ATTRIBUTE_HIDDEN); }, Outcome::Silent},
    {"system wave", [](const std::wstring& c) { return WaveWith(c, FILE_ATTRIBUTE_SYSTEM); }, Outcome::Silent},
    {"directory named click.WAV", [](const std::wstring& c) { e2e::MakeDirs(c); return 0u; }, Outcome::Silent},
    {"Install missing", [](const std::wstring&) { return 0u; }, Outcome::Silent},
    {"valid 100 MB wave", [](const std::wstring& c) { return WriteHugeWave(c, 100ull << 20); }, Outcome::Plays},
};

// Presses "&About" with the case's click.WAV in place and times the window.
void RunCase(const CueCase& c, const GameLayout& layout, LauncherRun& run, HWND main) {
    const std::string n = c.name;
    // Each setup makes the directories it needs; "Install missing" makes none.
    e2e::RemoveTree(layout.InstallDir());
    const unsigned playMs = c.setup(layout.InstallDir() + L"\\click.WAV");

    const std::uint64_t pressed = e2e::NowMs();
    run.Press(main, WindowId::frmMain, L"&About");
    HWND about = e2e::WaitForWindow(run.Pid(), e2e::Expected(WindowId::frmAbout).caption, playMs + 15000);
    const std::uint64_t took = e2e::NowMs() - pressed;
    ExpectNoMessageBox(n);
    if (!Expect(about != nullptr && run.Running(), n + ": the About window opens and the launcher runs on"))
        return;

    const std::string timing = n + ": the About window opened after " + std::to_string(took) + " ms";
    std::printf("  note: %s\n", timing.c_str());
    switch (c.outcome) {
        case Outcome::Plays:
            Expect(took >= playMs && took < playMs + 10000, timing + "; the sound lasts " + std::to_string(playMs) + " ms");
            break;
        case Outcome::Silent:
            Expect(took < kAtOnceMs, timing + "; nothing to play, so at once");
            break;
        case Outcome::Acts:
            Expect(took < kUnplayableBoundMs, timing + "; an unplayable file holds nothing up for long");
            break;
    }
    // The close box: no cue, no handler.
    PostMessageW(about, WM_CLOSE, 0, 0);
    Expect(run.WaitGone(WindowId::frmAbout), n + ": the About window closes again");
}

TEST_F(HardeningCueFiles, BrokenCueFiles) {
    if (!Launch()) return;
    for (const CueCase& c : kCases) {
        RunCase(c, layout, run, main);
        if (!run.Running()) return;
    }

    // A broken "start" cue does not keep the game from starting.
    e2e::RemoveTree(layout.InstallDir());
    e2e::WriteBytes(layout.InstallDir() + L"\\start.WAV", TruncatedRiffHeader());
    HWND games = run.Open(WindowId::Games);
    if (!games) return;
    run.Press(games, WindowId::Games, L"&Player 1");
    ExpectCleanEnd(run.Pid(), "Player 1 with a broken start.WAV");
    const auto records = layout.Log().WaitFor(1, 5000);
    if (e2e::ExpectEq(records.size(), std::size_t{1}, "Player 1 with a broken start.WAV: programs started"))
        e2e::ExpectEq(records[0].commandLine, std::wstring(L"kr2sp.exe  +set fs_game players_kr2\\Player1_saves"),
                      "Player 1: command line");
    ExpectNoMessageBox("after Player 1");
}

}  // namespace
}  // namespace kr2::e2e
