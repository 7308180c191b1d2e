#include <gtest/gtest.h>

#include <algorithm>

#include "expected_catalogue.h"
#include "expected_layout.h"
#include "launch_catalogue.h"
#include "recording_fakes.h"

namespace kr2 {
namespace {

using test::CueEvents;
using test::EventLog;
using test::Then;

std::string CueName(SoundCue cue) {
    switch (cue) {
        case SoundCue::Open: return "open";
        case SoundCue::Click: return "click";
        case SoundCue::Start: return "start";
        case SoundCue::Back: return "back";
    }
    return {};
}

// Each kind of button: cue, action, follow-up, in that order.
class ButtonOrderTest : public ::testing::Test {
protected:
    void SetUp() override { rig.StartAndClear(); }
    test::LauncherRig rig;
};

// The main window's buttons that open a window; the one that closes the
// window it is pressed in has its own test in the lifetime tests.
TEST_F(ButtonOrderTest, ShowButtonsPlayClickThenShow) {
    for (WindowId target : design::kSecondaryWindows) {
        const design::Way way = design::Layout(target).openedBy;
        if (way.from != WindowId::frmMain) continue;
        rig.log.clear();
        rig.Click(WindowId::frmMain, way.control);
        const std::string window(WindowName(target));
        EXPECT_EQ(rig.log, Then(CueEvents("click"), {"create " + window, "show " + window})) << way.control;
    }
}

TEST_F(ButtonOrderTest, CloseButtonsPlayBackThenUnloadTheirOwnWindowOnly) {
    for (WindowId window : design::kSecondaryWindows) {
        rig.Open(window);
        rig.Click(window, design::Layout(window).closedBy);
        EXPECT_EQ(rig.log, Then(CueEvents("back"), {"destroy " + std::string(WindowName(window))}))
            << WindowName(window);
        EXPECT_TRUE(rig.launcher.Registry().IsLoaded(WindowId::frmMain));
        rig.log.clear();
    }
}

TEST_F(ButtonOrderTest, AboutIconClosesWithoutACue) {
    int silent = 0;
    for (WindowId window : design::kSecondaryWindows) {
        if (design::Layout(window).closedSilentlyBy.empty()) continue;
        ++silent;
        rig.Open(window);
        rig.Click(window, design::Layout(window).closedSilentlyBy);
        EXPECT_EQ(rig.log, (EventLog{"destroy " + std::string(WindowName(window))}));
        rig.log.clear();
    }
    EXPECT_EQ(silent, 1);  // the About icon
}

TEST_F(ButtonOrderTest, MissingCueFileDoesNotStopTheAction) {
    rig.probe.exists = false;
    rig.Click(WindowId::frmMain, "Command1");
    EXPECT_EQ(rig.log, (EventLog{"probe C:\\G\\..\\Install\\click.WAV", "create Games",
                                 "show Games"}));
}

// Clicks every control of every window, each in a fresh launcher with only
// frmMain and that window open, and keeps what each click did.
struct Click {
    WindowId window;
    std::string control;
    EventLog events;
};

std::vector<Click> ClickEveryControl() {
    std::vector<Click> clicks;
    for (WindowId window : kAllWindows) {
        for (const ControlSpec& control : ControlRowsOf(window)) {
            test::LauncherRig rig;
            rig.StartAndClear();
            rig.Open(window);
            rig.Click(window, control.name);
            clicks.push_back({window, std::string(control.name), rig.log});
        }
    }
    return clicks;
}

TEST(EntryBinding, EveryEntryIsRunByItsOwnControlAfterItsCueThenItsFollowUp) {
    const std::vector<Click> clicks = ClickEveryControl();
    std::size_t launching = 0;
    for (const Click& click : clicks) {
        launching += std::count_if(click.events.begin(), click.events.end(),
                                   [](const std::string& e) { return e.rfind("launch ", 0) == 0; });
    }
    EXPECT_EQ(launching, design::kCatalogueLines.size());  // one start per entry, none anywhere else

    for (const design::CatalogueLine& line : design::kCatalogueLines) {
        SCOPED_TRACE(std::string(line.entry));
        const LaunchAction& entry = LaunchCatalogue(line.entry);
        const auto click = std::find_if(clicks.begin(), clicks.end(), [&](const Click& c) {
            return c.window == line.window && c.control == line.control;
        });
        ASSERT_NE(click, clicks.end());
        EventLog want = Then(CueEvents(CueName(entry.cue)),
                             {"launch " + test::Narrow(line.line) + " show=" + std::to_string(static_cast<int>(entry.showState))});
        switch (entry.followUp) {
            case FollowUp::EndProgram: want.push_back("end"); break;
            case FollowUp::CloseWindow:  // frmMain was the only window left
                want.insert(want.end(), {"destroy " + std::string(WindowName(line.window)), "quit"});
                break;
            case FollowUp::Stay: break;
        }
        EXPECT_EQ(click->events, want);
    }
}

}  // namespace
}  // namespace kr2
