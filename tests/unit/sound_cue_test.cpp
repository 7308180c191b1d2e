#include <gtest/gtest.h>

#include "play_wave.h"
#include "recording_fakes.h"
#include "sound_cue.h"

namespace kr2 {
namespace {

using test::EventLog;

TEST(CuePath, SuffixesAreExactWithTheirLengths) {
    struct Case {
        SoundCue cue;
        std::wstring_view suffix;
        std::size_t length;
    };
    const Case cases[] = {
        {SoundCue::Open, L"\\..\\Install\\open.WAV", 20},
        {SoundCue::Click, L"\\..\\Install\\click.WAV", 21},
        {SoundCue::Start, L"\\..\\Install\\start.WAV", 21},
        {SoundCue::Back, L"\\..\\Install\\back.WAV", 20},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CueSuffix(c.cue), c.suffix);
        EXPECT_EQ(CueSuffix(c.cue).size(), c.length);
    }
}

TEST(CuePath, IsProgramDirFollowedByTheSuffixUnchanged) {
    EXPECT_EQ(CuePath(L"C:\\Games\\Launcher", SoundCue::Click),
              L"C:\\Games\\Launcher\\..\\Install\\click.WAV");
    // A drive root keeps its own backslash: two in a row, nothing normalised.
    EXPECT_EQ(CuePath(L"D:\\", SoundCue::Click), L"D:\\\\..\\Install\\click.WAV");
    EXPECT_EQ(CuePath(L"", SoundCue::Back), L"\\..\\Install\\back.WAV");
}

// A "\\?\" path is not normalised by the platform: ".." would be a name.
TEST(CuePath, VerbatimProgramDirHasItsParentWrittenOut) {
    const std::pair<std::wstring_view, std::wstring_view> cases[] = {
        {L"\\\\?\\C:\\Games\\Kestrane II\\Game", L"\\\\?\\C:\\Games\\Kestrane II\\Install\\click.WAV"},
        {L"\\\\?\\C:\\Game", L"\\\\?\\C:\\Install\\click.WAV"},
        {L"\\\\?\\C:\\", L"\\\\?\\C:\\Install\\click.WAV"},  // a drive root is its own parent
        {L"\\\\?\\UNC\\server\\share\\kr2\\Game", L"\\\\?\\UNC\\server\\share\\kr2\\Install\\click.WAV"},
        {L"\\\\?\\UNC\\server\\share\\Game", L"\\\\?\\UNC\\server\\share\\Install\\click.WAV"},
        {L"\\\\?\\UNC\\server\\share\\", L"\\\\?\\UNC\\server\\share\\Install\\click.WAV"},  // a share root too
        {L"\\\\?\\unc\\server\\share", L"\\\\?\\unc\\server\\share\\Install\\click.WAV"},    // in any case
        {L"\\\\?\\Volume{1b3b}\\Game", L"\\\\?\\Volume{1b3b}\\Install\\click.WAV"},
        // Not verbatim: byte for byte as always.
        {L"\\\\server\\share\\Game", L"\\\\server\\share\\Game\\..\\Install\\click.WAV"},
        {L"\\\\.\\C:\\Game", L"\\\\.\\C:\\Game\\..\\Install\\click.WAV"},
    };
    for (const auto& [dir, path] : cases) EXPECT_EQ(CuePath(dir, SoundCue::Click), path);
}

TEST(PlayCue, RebuildsThePathFromProgramDirOnEveryCall) {
    EventLog log;
    test::FakeProgramDir dir;
    test::FakeProbe probe{log};
    test::FakePlayer player{log};
    const SoundPorts ports{dir, probe, player};

    dir.dir = L"C:\\G";
    PlayCue(SoundCue::Start, ports);
    dir.dir = L"D:\\";
    PlayCue(SoundCue::Start, ports);

    EXPECT_EQ(dir.calls, 2);
    EXPECT_EQ(log, (EventLog{"probe C:\\G\\..\\Install\\start.WAV",
                             "play C:\\G\\..\\Install\\start.WAV",
                             "probe D:\\\\..\\Install\\start.WAV",
                             "play D:\\\\..\\Install\\start.WAV"}));
}

}  // namespace
}  // namespace kr2
