#include <gtest/gtest.h>

#include <string>

#include "expected_catalogue.h"
#include "launch_catalogue.h"

namespace kr2 {
namespace {

bool IsGameEntry(const LaunchAction& e) {
    return e.name != "ReadmeOpen" && e.name != "HomePageOpen";
}

TEST(LaunchCatalogue, EveryLineIsByteExact) {
    ASSERT_EQ(design::kCatalogueLines.size(), kLaunchCatalogue.size());
    for (const design::CatalogueLine& expected : design::kCatalogueLines) {
        EXPECT_EQ(LaunchCatalogue(expected.entry).commandLine, expected.line) << expected.entry;
    }
    EXPECT_EQ(LaunchCatalogue("ReadmeOpen").fallbackCommandLine, design::kReadmeFallbackLine);
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

TEST(LaunchCatalogue, LevelStartNIsTheEntryNamedForN) {
    for (int n = 1; n <= 26; ++n) {
        EXPECT_EQ(LevelStart(n).name, "LevelStart" + std::to_string(n));
    }
}

}  // namespace
}  // namespace kr2
