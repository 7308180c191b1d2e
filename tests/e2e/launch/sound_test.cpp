// PlayWave with the real probe and player under the null sound sink.

#include <windows.h>

#include <cstdint>

#include <gtest/gtest.h>
#include "child_process.h"
#include "files.h"
#include "play_wave.h"
#include "utf8.h"
#include "wave_file.h"
#include "win32_ports.h"

using namespace kr2;
using namespace kr2::e2e;
using kr2::e2e::NowMs;
using kr2::e2e::TempRoot;

namespace {

// Blocking for at most this long counts as "at once".
constexpr std::uint64_t kAtOnceMs = 500;

std::uint64_t TimePlayWave(const std::wstring& path) {
    Win32FileProbe probe;
    Win32WavePlayer player;
    const std::uint64_t start = NowMs();
    PlayWave(path, probe, player);
    return NowMs() - start;
}

}  // namespace

TEST(LaunchSound, RealWaveBlocksUntilItHasPlayed) {
    TempRoot root(L"sound-play");
    const std::wstring cue = root / L"Install\\start.WAV";
    e2e::WriteWav(cue, 1500);
    const std::uint64_t ms = TimePlayWave(cue);
    std::printf("  1.5 s wave blocked %llu ms\n", static_cast<unsigned long long>(ms));
    EXPECT_GE(ms, 1500u);
    EXPECT_LT(ms, 10000u);
}

TEST(LaunchSound, HiddenOrSystemCueAndCueNamedDirectoryPlayNothing) {
    TempRoot root(L"sound-skip");
    const std::wstring hidden = root / L"hidden\\open.WAV";
    e2e::WriteWav(hidden, 1500);
    e2e::SetHidden(hidden);
    const std::wstring system = root / L"system\\open.WAV";
    e2e::WriteWav(system, 1500);
    e2e::SetSystem(system);
    const std::wstring directory = root / L"dir\\open.WAV";
    e2e::MakeDirs(directory);
    e2e::WriteWav(directory + L"\\open.WAV", 1500);  // a wave inside must not matter

    EXPECT_TRUE(TimePlayWave(hidden) < kAtOnceMs);
    EXPECT_TRUE(TimePlayWave(system) < kAtOnceMs);
    EXPECT_TRUE(TimePlayWave(directory) < kAtOnceMs);
    EXPECT_TRUE(TimePlayWave(root / L"missing\\open.WAV") < kAtOnceMs);
    EXPECT_TRUE(TimePlayWave(L"Q:\\no drive\\open.WAV") < kAtOnceMs);
}

// A file that passes every check but is no wave: the player deals with it
// (perhaps with the default sound); PlayWave comes back and reports nothing.
TEST(LaunchSound, FileThatIsNoWaveStillReturns) {
    TempRoot root(L"sound-bad");
    const std::wstring truncated = root / L"truncated.WAV";
    e2e::WriteBytes(truncated, std::string_view("RIFF\x24\x00\x00\x00WAVEfmt ", 16));
    const std::wstring text = root / L"text.wav";
    e2e::WriteBytes(text, "this is not a wave file");
    const std::wstring empty = root / L"empty.Wav";
    e2e::WriteBytes(empty, "");
    for (const std::wstring* path : {&truncated, &text, &empty}) {
        const std::uint64_t ms = TimePlayWave(*path);
        std::printf("  %s returned after %llu ms\n", e2e::ToUtf8(*path).c_str(), static_cast<unsigned long long>(ms));
        EXPECT_LT(ms, 5000u);
    }
}

TEST(LaunchSound, ProbeCountsOnlyPlainFiles) {
    TempRoot root(L"probe");
    Win32FileProbe probe;
    e2e::WriteBytes(root / L"plain.WAV", "x");
    e2e::WriteBytes(root / L"readonly.WAV", "x");
    SetFileAttributesW((root / L"readonly.WAV").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    e2e::WriteBytes(root / L"hidden.WAV", "x");
    e2e::SetHidden(root / L"hidden.WAV");
    e2e::WriteBytes(root / L"system.WAV", "x");
    e2e::SetSystem(root / L"system.WAV");
    e2e::MakeDirs(root / L"dir.WAV");

    EXPECT_TRUE(probe.IsPlainFile(root / L"plain.WAV"));
    EXPECT_TRUE(probe.IsPlainFile(root / L"readonly.WAV"));
    EXPECT_TRUE(probe.IsPlainFile(root / L"sub\\..\\plain.WAV"));  // ".." left to the file system
    EXPECT_TRUE(!probe.IsPlainFile(root / L"hidden.WAV"));
    EXPECT_TRUE(!probe.IsPlainFile(root / L"system.WAV"));
    EXPECT_TRUE(!probe.IsPlainFile(root / L"dir.WAV"));
    EXPECT_TRUE(!probe.IsPlainFile(root / L"missing.WAV"));
    EXPECT_TRUE(!probe.IsPlainFile(root / L"nodir\\plain.WAV"));
    EXPECT_TRUE(!probe.IsPlainFile(L""));
}
