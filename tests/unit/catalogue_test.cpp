#include <gtest/gtest.h>

#include <set>
#include <string>

#include "expected_catalogue.h"
#include "launch_catalogue.h"

namespace kr2 {
namespace {

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
    ASSERT_EQ(design::kCatalogueLines.size(), kLaunchCatalogue.size());
    for (const design::CatalogueLine& expected : design::kCatalogueLines) {
        EXPECT_EQ(LaunchCatalogue(expected.entry).commandLine, expected.line) << expected.entry;
    }
    EXPECT_EQ(LaunchCatalogue("ReadmeOpen").fallbackCommandLine, design::kReadmeFallbackLine);
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
