#include <gtest/gtest.h>

#include "play_wave.h"
#include "recording_fakes.h"
#include "system_library.h"

namespace kr2 {
namespace {

using test::EventLog;

class PlayWaveTest : public ::testing::Test {
protected:
    // What PlayWave did with `path`: the probe and play events, in order.
    EventLog Run(std::wstring_view path) {
        log.clear();
        PlayWave(path, probe, player);
        return log;
    }
    EventLog log;
    test::FakeProbe probe{log};
    test::FakePlayer player{log};
};

TEST_F(PlayWaveTest, ProbesThenPlaysAPlainWaveFile) {
    EXPECT_EQ(Run(L"C:\\I\\click.WAV"),
              (EventLog{"probe C:\\I\\click.WAV", "play C:\\I\\click.WAV"}));
}

TEST_F(PlayWaveTest, ShortOrEmptyPathsNeverReachTheProbe) {
    for (std::wstring_view path : {L"", L"w", L"V", L"wa", L"AV"}) {
        EXPECT_TRUE(Run(path).empty()) << test::Narrow(path);
    }
}

TEST_F(PlayWaveTest, OnlyTheLastThreeCharactersCountCaseInsensitively) {
    for (std::wstring_view path : {L"a.wav", L"a.Wav", L"a.WAV", L"xwav", L"WAV", L"wav"}) {
        EXPECT_EQ(Run(path).size(), 2u) << test::Narrow(path);
    }
    for (std::wstring_view path : {L"a.WAVE", L"a.wa", L"a.mp3", L"a.wav ", L"a.WAX"}) {
        EXPECT_TRUE(Run(path).empty()) << test::Narrow(path);
    }
}

TEST_F(PlayWaveTest, MissingFilePlaysNothing) {
    probe.exists = false;
    EXPECT_EQ(Run(L"C:\\I\\back.WAV"), (EventLog{"probe C:\\I\\back.WAV"}));
}

TEST_F(PlayWaveTest, FailuresOfProbeOrPlayerNeverEscape) {
    probe.throws = true;
    EXPECT_NO_THROW(PlayWave(L"C:\\I\\back.WAV", probe, player));
    EXPECT_EQ(log, (EventLog{"probe C:\\I\\back.WAV"}));

    probe.throws = false;
    player.throws = true;
    log.clear();
    EXPECT_NO_THROW(PlayWave(L"C:\\I\\back.WAV", probe, player));
    EXPECT_EQ(log, (EventLog{"probe C:\\I\\back.WAV", "play C:\\I\\back.WAV"}));
}

TEST_F(PlayWaveTest, PlayCueSwallowsAFailingPlayer) {
    test::FakeProgramDir dir;
    player.throws = true;
    EXPECT_NO_THROW(PlayCue(SoundCue::Open, SoundPorts{dir, probe, player}));
    EXPECT_EQ(log, test::CueEvents("open"));
}

// winmm comes from the system directory whichever loader Windows has: the
// safe search where it is known, else the full path; never the bare name.
TEST(SystemLibraryTest, TheSafeSearchFirstThenTheFullSystemPathNeverABareName) {
    EventLog log;
    test::FakeLibraryLoader loader{log};
    EXPECT_EQ(LoadSystemLibrary(loader, L"winmm.dll"), &loader.module);
    EXPECT_EQ(log, (EventLog{"safe-search winmm.dll"}));

    log.clear();
    loader.safeSearchLoads = false;  // Windows 7 without its loader update
    EXPECT_EQ(LoadSystemLibrary(loader, L"winmm.dll"), &loader.module);
    EXPECT_EQ(log, (EventLog{"safe-search winmm.dll", "full-path C:\\Windows\\system32\\winmm.dll"}));

    log.clear();
    loader.fullPathLoads = false;
    EXPECT_EQ(LoadSystemLibrary(loader, L"winmm.dll"), nullptr);
    EXPECT_EQ(log, (EventLog{"safe-search winmm.dll", "full-path C:\\Windows\\system32\\winmm.dll"}));

    log.clear();
    loader.systemDirectory.clear();  // "\winmm.dll" would name the current drive's root
    EXPECT_EQ(LoadSystemLibrary(loader, L"winmm.dll"), nullptr);
    EXPECT_EQ(log, (EventLog{"safe-search winmm.dll"}));
}

}  // namespace
}  // namespace kr2
