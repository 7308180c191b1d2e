#include <gtest/gtest.h>

#include <set>
#include <string>

#include "launch_catalogue.h"

namespace kr2 {
namespace {

struct ExpectedLine {
    std::string_view name;
    std::wstring_view line;
};

// Every line written out whole, runs of blanks included.
constexpr ExpectedLine kExpected[] = {
    {"MultiplayerStart", L"kr2mp.exe"},
    {"ReadmeOpen", L"C:\\Windows\\Notepad.exe ..\\Install\\readme.txt"},
    {"HomePageOpen", L"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE http://www.kestrane2.com/"},
    {"ProfileStart1", L"kr2sp.exe  +set fs_game players_kr2\\Player1_saves"},
    {"ProfileStart2", L"kr2sp.exe   +set fs_game players_kr2\\Player2_saves"},
    {"ProfileStart3", L"kr2sp.exe   +set fs_game players_kr2\\Player3_saves"},
    {"ProfileStart4", L"kr2sp.exe   +set fs_game players_kr2\\Player4_saves"},
    {"ProfileStart5", L"kr2sp.exe   +set fs_game players_kr2\\Player5_saves"},
    {"SafeModeSingle", L"kr2sp.exe  safe"},
    {"SafeModeMulti", L"kr2mp.exe  safe"},
    {"LevelStart1", L"kr2sp.exe  map tovek_gate"},
    {"LevelStart2", L"kr2sp.exe  map tovek_keep"},
    {"LevelStart3", L"kr2sp.exe  map orlan_quarry"},
    {"LevelStart4", L"kr2sp.exe  map orlan_cells"},
    {"LevelStart5", L"kr2sp.exe  map orlan_upperdeck"},
    {"LevelStart6", L"kr2sp.exe  map gorge"},
    {"LevelStart7", L"kr2sp.exe  map sarneth_shrine"},
    {"LevelStart8", L"kr2sp.exe  map sarneth_ordeal"},
    {"LevelStart9", L"kr2sp.exe  map zr_alleys"},
    {"LevelStart10", L"kr2sp.exe  map zr_den"},
    {"LevelStart11", L"kr2sp.exe  map zr_skydock"},
    {"LevelStart12", L"kr2sp.exe  map caldor_lowtown"},
    {"LevelStart13", L"kr2sp.exe  map caldor_alleys"},
    {"LevelStart14", L"kr2sp.exe  map caldor_spire"},
    {"LevelStart15", L"kr2sp.exe  map drumbar_harbor"},
    {"LevelStart16", L"kr2sp.exe  map drumbar_foundry"},
    {"LevelStart17", L"kr2sp.exe  map drumbar_core"},
    {"LevelStart18", L"kr2sp.exe  map drumbar_pier1"},
    {"LevelStart19", L"kr2sp.exe  map heskel_relay"},
    {"LevelStart20", L"kr2sp.exe  map heskel_cells"},
    {"LevelStart21", L"kr2sp.exe  map heskel_wards"},
    {"LevelStart22", L"kr2sp.exe  map sarneth_marsh"},
    {"LevelStart23", L"kr2sp.exe  map sarneth_ravine"},
    {"LevelStart24", L"kr2sp.exe  map sarneth_plaza"},
    {"LevelStart25", L"kr2sp.exe  map sarneth_summit"},
    {"LevelStart26", L"kr2sp.exe  map arena"},
};

bool IsGameEntry(const LaunchAction& e) {
    return e.name != "ReadmeOpen" && e.name != "HomePageOpen";
}

TEST(LaunchCatalogue, HasThirtySixUniquelyNamedEntries) {
    ASSERT_EQ(kLaunchCatalogue.size(), 36u);
    std::set<std::string_view> names;
    for (const LaunchAction& e : kLaunchCatalogue) names.insert(e.name);
    EXPECT_EQ(names.size(), 36u);
}

TEST(LaunchCatalogue, EveryLineIsByteExact) {
    ASSERT_EQ(std::size(kExpected), kLaunchCatalogue.size());
    for (const ExpectedLine& expected : kExpected) {
        EXPECT_EQ(LaunchCatalogue(expected.name).commandLine, expected.line) << expected.name;
    }
    EXPECT_EQ(LaunchCatalogue("ReadmeOpen").fallbackCommandLine,
              L"C:\\WinNT\\Notepad.exe ..\\Install\\readme.txt");
}

TEST(LaunchCatalogue, LineLengthsMatchTheirBlankCounts) {
    EXPECT_EQ(LaunchCatalogue("MultiplayerStart").commandLine.size(), 9u);
    EXPECT_EQ(LaunchCatalogue("ReadmeOpen").commandLine.size(), 44u);
    EXPECT_EQ(LaunchCatalogue("ReadmeOpen").fallbackCommandLine.size(), 42u);
    EXPECT_EQ(LaunchCatalogue("ProfileStart1").commandLine.size(), 49u);
    for (int n = 2; n <= 5; ++n) {
        const std::string name = "ProfileStart" + std::to_string(n);
        EXPECT_EQ(LaunchCatalogue(name).commandLine.size(), 50u) << name;
    }
    EXPECT_EQ(LaunchCatalogue("SafeModeSingle").commandLine.size(), 15u);
    EXPECT_EQ(LaunchCatalogue("SafeModeMulti").commandLine.size(), 15u);
    EXPECT_EQ(kHomePageLine.view().substr(0, 48),
              L"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE ");
    // Levels: the 15 characters "kr2sp.exe  map " and then one identifier
    // in lower case, digits and "_", without blanks.
    for (int n = 1; n <= 26; ++n) {
        const std::wstring_view line = LevelStart(n).commandLine;
        ASSERT_GT(line.size(), 15u) << n;
        EXPECT_EQ(line.substr(0, 15), L"kr2sp.exe  map ") << n;
        for (wchar_t c : line.substr(15)) {
            EXPECT_TRUE((c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'_') << n;
        }
    }
    EXPECT_EQ(LevelStart(6).commandLine.size(), 15u + 5u);   // gorge
}

TEST(LaunchCatalogue, PoliciesShowStatesAndCuesFollowTheKindOfProgram) {
    int games = 0;
    for (const LaunchAction& e : kLaunchCatalogue) {
        SCOPED_TRACE(std::string(e.name));
        EXPECT_EQ(!e.fallbackCommandLine.empty(), e.errorPolicy == ErrorPolicy::FallbackThenEnd);
        if (IsGameEntry(e)) {
            ++games;
            EXPECT_EQ(e.showState, ShowState::ShowMinimized);
            EXPECT_EQ(e.cue, SoundCue::Start);
            EXPECT_EQ(e.errorPolicy, ErrorPolicy::IgnoreErrors);
            EXPECT_EQ(e.followUp, e.name == "MultiplayerStart" ? FollowUp::CloseWindow
                                                                : FollowUp::EndProgram);
        } else {
            EXPECT_EQ(e.showState, ShowState::ShowNormal);
            EXPECT_EQ(e.cue, SoundCue::Click);
        }
    }
    EXPECT_EQ(games, 34);
    EXPECT_EQ(LaunchCatalogue("ReadmeOpen").errorPolicy, ErrorPolicy::FallbackThenEnd);
    EXPECT_EQ(LaunchCatalogue("ReadmeOpen").followUp, FollowUp::Stay);
    EXPECT_EQ(LaunchCatalogue("HomePageOpen").errorPolicy, ErrorPolicy::Unhandled);
    EXPECT_EQ(LaunchCatalogue("HomePageOpen").followUp, FollowUp::EndProgram);
}

TEST(LaunchCatalogue, LinesArePlainAsciiWithoutTabsQuotesOrTrailingBlanks) {
    auto check = [](std::wstring_view line, std::string_view name) {
        ASSERT_FALSE(line.empty()) << name;
        EXPECT_NE(line.back(), L' ') << name;
        for (wchar_t c : line) {
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << name;
            EXPECT_NE(c, L'"') << name;
        }
    };
    for (const LaunchAction& e : kLaunchCatalogue) {
        check(e.commandLine, e.name);
        if (!e.fallbackCommandLine.empty()) check(e.fallbackCommandLine, e.name);
    }
}

TEST(LaunchCatalogue, LevelStartNIsTheEntryNamedForN) {
    for (int n = 1; n <= 26; ++n) {
        EXPECT_EQ(LevelStart(n).name, "LevelStart" + std::to_string(n));
    }
}

}  // namespace
}  // namespace kr2
