#include <gtest/gtest.h>

#include "launch_catalogue.h"

TEST(LaunchCatalogue, HasThirtySixEntries) {
    EXPECT_EQ(kr2::kLaunchCatalogue.size(), 36u);
    EXPECT_EQ(kr2::LaunchCatalogue("ReadmeOpen").commandLine.size(), 44u);
}
