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
