#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "recording_fakes.h"
#include "window_registry.h"

namespace kr2 {
namespace {

constexpr int kDpi = 96;

const ControlSpec& Control(WindowId id, std::string_view name) {
    for (const ControlSpec& c : DescriptionOf(id).controls) {
        if (c.name == name) return c;
    }
    throw std::logic_error("no control " + std::string(name));
}

PixelRect Pixels(WindowId id, std::string_view name) { return ControlPixels(Control(id, name), kDpi); }

// "Name=Caption" for each control in tab order; controls without a tab index
// are left out. Tab indices must run 0..n-1 without gaps or repeats.
std::vector<std::string> TabOrder(WindowId id) {
    std::vector<const ControlSpec*> tabbed;
    for (const ControlSpec& c : DescriptionOf(id).controls) {
        if (c.tabIndex != kNoTabIndex) tabbed.push_back(&c);
    }
    std::sort(tabbed.begin(), tabbed.end(),
              [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    std::vector<std::string> order;
    for (std::size_t i = 0; i < tabbed.size(); ++i) {
        EXPECT_EQ(tabbed[i]->tabIndex, static_cast<int>(i)) << tabbed[i]->name;
        order.push_back(std::string(tabbed[i]->name) + "=" + test::Narrow(tabbed[i]->caption));
    }
    return order;
}

TEST(WindowLayout, WindowsHaveTheirCaptionsBordersAndClientAreas) {
    struct Expected {
        WindowId id;
        std::wstring_view caption;
        BorderStyle border;
        int width, height;  // pixels at 96 DPI
    };
    const Expected expected[] = {
        {WindowId::frmMain, L"Kestrane II Launcher", BorderStyle::FixedSingle, 321, 404},
        {WindowId::Games, L"HM Games", BorderStyle::FixedToolWindow, 177, 170},
        {WindowId::Options, L"HM Options", BorderStyle::FixedToolWindow, 407, 151},
        {WindowId::spmaps, L"SP Levels", BorderStyle::FixedToolWindow, 296, 357},
        {WindowId::frmAbout, L"About", BorderStyle::FixedToolWindow, 296, 141},
    };
    for (const Expected& e : expected) {
        const WindowSpec& desc = DescriptionOf(e.id);
        SCOPED_TRACE(std::string(WindowName(e.id)));
        EXPECT_EQ(desc.id, e.id);
        EXPECT_EQ(desc.caption, e.caption);
        EXPECT_EQ(desc.border, e.border);
        EXPECT_EQ(TwipsToPixels(desc.clientWidth, kDpi), e.width);
        EXPECT_EQ(TwipsToPixels(desc.clientHeight, kDpi), e.height);
        EXPECT_EQ(desc.onLoad != nullptr, e.id == WindowId::frmMain);
    }
}

TEST(WindowLayout, MainWindowPictureAndButtons) {
    EXPECT_EQ(Pixels(WindowId::frmMain, "Picture1"), (PixelRect{3, 3, 316, 193}));
    EXPECT_EQ(Control(WindowId::frmMain, "Picture1").kind, ControlKind::PictureBox);
    const std::pair<const char*, int> heights[] = {{"Command1", 41}, {"Command6", 33}, {"Command3", 25},
                                                   {"Command7", 25}, {"Command5", 25}, {"Command4", 25},
                                                   {"Command2", 25}};
    for (const auto& [name, height] : heights) {
        const PixelRect r = Pixels(WindowId::frmMain, name);
        EXPECT_EQ(r.left, 3) << name;
        EXPECT_EQ(r.width, 313) << name;
        EXPECT_EQ(r.height, height) << name;
    }
    // Neighbours overlap by one pixel; a gap sets the start buttons apart.
    const PixelRect single = Pixels(WindowId::frmMain, "Command1");
    const PixelRect multi = Pixels(WindowId::frmMain, "Command6");
    EXPECT_EQ(single.top + single.height - multi.top, 1);
    EXPECT_EQ(Pixels(WindowId::frmMain, "Command3").top - (multi.top + multi.height), 7);
    const char* lower[] = {"Command3", "Command7", "Command5", "Command4", "Command2"};
    for (int i = 0; i + 1 < 5; ++i) {
        const PixelRect a = Pixels(WindowId::frmMain, lower[i]);
        EXPECT_EQ(a.top + a.height - Pixels(WindowId::frmMain, lower[i + 1]).top, 1) << lower[i];
    }
}

TEST(WindowLayout, GamesButtonsStackWithOnePixelOverlapAndCloseApart) {
    const char* players[] = {"Command1", "Command2", "Command4", "Command5", "Command6"};
    for (int i = 0; i < 5; ++i) {
        const PixelRect r = Pixels(WindowId::Games, players[i]);
        EXPECT_EQ(r, (PixelRect{8, 8 + 24 * i, 161, 25})) << players[i];
    }
    EXPECT_EQ(Pixels(WindowId::Games, "Command3"), (PixelRect{8, 136, 161, 25}));
}

TEST(WindowLayout, OptionsFrameHoldsSpLevels) {
    const auto controls = DescriptionOf(WindowId::Options).controls;
    const ControlSpec& levels = Control(WindowId::Options, "Command4");
    ASSERT_GE(levels.container, 0);
    EXPECT_EQ(controls[static_cast<std::size_t>(levels.container)].name, "Frame1");
    EXPECT_EQ(controls[static_cast<std::size_t>(levels.container)].kind, ControlKind::Frame);
    EXPECT_EQ(Pixels(WindowId::Options, "Frame1"), (PixelRect{8, 8, 393, 65}));
    EXPECT_EQ(Pixels(WindowId::Options, "Command4"), (PixelRect{8, 32, 121, 25}));  // frame-relative
    EXPECT_EQ(Pixels(WindowId::Options, "Command2"), (PixelRect{8, 88, 129, 25}));
    EXPECT_EQ(Pixels(WindowId::Options, "Command3"), (PixelRect{8, 120, 129, 25}));
    EXPECT_EQ(Pixels(WindowId::Options, "Command1"), (PixelRect{296, 120, 105, 25}));
    for (const char* name : {"Frame1", "Command1", "Command2", "Command3"}) {
        EXPECT_EQ(Control(WindowId::Options, name).container, kInWindow) << name;
    }
}

TEST(WindowLayout, LevelGridFollowsTheColumnRule) {
    for (int n = 1; n <= 26; ++n) {
        const std::string name = "Command" + std::to_string(n);
        const int row = n <= 13 ? n - 1 : n - 14;
        const PixelRect r = Pixels(WindowId::spmaps, name);
        EXPECT_EQ(r, (PixelRect{n <= 13 ? 8 : 152, 8 + 24 * row, 137, 25})) << name;
        EXPECT_EQ(Control(WindowId::spmaps, name).arg, n) << name;
    }
    EXPECT_EQ(Pixels(WindowId::spmaps, "Command27"), (PixelRect{8, 328, 281, 25}));
    EXPECT_EQ(DescriptionOf(WindowId::spmaps).controls.size(), 27u);
}

TEST(WindowLayout, AboutFrameHoldsTheIconAndTheCredit) {
    const auto controls = DescriptionOf(WindowId::frmAbout).controls;
    for (const char* name : {"Image1", "Label2"}) {
        const ControlSpec& c = Control(WindowId::frmAbout, name);
        ASSERT_GE(c.container, 0) << name;
        EXPECT_EQ(controls[static_cast<std::size_t>(c.container)].name, "Frame1") << name;
    }
    const ControlSpec& image = Control(WindowId::frmAbout, "Image1");
    EXPECT_EQ(image.kind, ControlKind::Image);
    EXPECT_EQ(image.tabIndex, kNoTabIndex);
    EXPECT_NE(image.onClick, nullptr);
    EXPECT_EQ(ControlPixels(image, kDpi), (PixelRect{8, 16, 32, 32}));
    EXPECT_EQ(Pixels(WindowId::frmAbout, "Frame1"), (PixelRect{4, 0, 289, 81}));
    EXPECT_EQ(Pixels(WindowId::frmAbout, "Command1"), (PixelRect{192, 112, 97, 25}));
    for (const char* name : {"Frame1", "Command1", "Label1", "Label3"}) {
        EXPECT_EQ(Control(WindowId::frmAbout, name).container, kInWindow) << name;
    }
}

TEST(WindowLayout, TabOrderAndCaptionsPerWindow) {
    using Order = std::vector<std::string>;
    EXPECT_EQ(TabOrder(WindowId::frmMain),
              (Order{"Command1=&Start Kestrane II Single Player", "Command2=E&xit to Windows",
                     "Command3=&Readme", "Command4=&Home Page", "Command5=&About", "Picture1=",
                     "Command6=&Start Kestrane II Multiplayer", "Command7=&Options"}));
    EXPECT_EQ(TabOrder(WindowId::Games),
              (Order{"Command1=&Player 1", "Command2=&Player 2", "Command3=&Close",
                     "Command4=&Player 3", "Command5=&Player 4", "Command6=&Player 5"}));
    EXPECT_EQ(TabOrder(WindowId::Options),
              (Order{"Command1=&Close", "Command2=KR2 SP (Safe Mode)", "Command3=KR2 MP (Safe Mode)",
                     "Frame1=Options", "Command4=SP Levels"}));
    EXPECT_EQ(TabOrder(WindowId::frmAbout),
              (Order{"Frame1=Hollowmere: Kestrane II Launcher Credits", "Label2=Kip707",
                     "Command1=Close", "Label1=beta 1.0",
                     "Label3=USE THIS  PROGRAM AT YOUR OWN RISK"}));
    const char* levels[] = {
        "Tovek Gate",     "Tovek Keep",     "Orlan Quarry",   "Orlan Cells",     "Orlan Upper Deck",
        "Gorge",          "Sarneth Shrine", "Sarneth Ordeal", "ZR Alleys",       "ZR Den",
        "ZR Skydock",     "Caldor Lowtown", "Caldor Alleys",  "Caldor Spire",    "Drumbar Harbor",
        "Drumbar Foundry", "Drumbar Core",  "Drumbar Pier 1", "Heskel Relay",    "Heskel Cells",
        "Heskel Wards",   "Sarneth Marsh",  "Sarneth Ravine", "Sarneth Plaza",   "Sarneth Summit",
        "Arena",          "&Close"};
    Order spmaps;
    for (int n = 1; n <= 27; ++n) spmaps.push_back("Command" + std::to_string(n) + "=" + levels[n - 1]);
    EXPECT_EQ(TabOrder(WindowId::spmaps), spmaps);
    EXPECT_EQ(Control(WindowId::frmAbout, "Label3").caption.size(), 34u);
    EXPECT_EQ(Control(WindowId::frmAbout, "Image1").caption, L"");
}

TEST(WindowLayout, OnlyTheMainWindowsSevenButtonsAreBold) {
    int bold = 0;
    for (WindowId id : kAllWindows) {
        for (const ControlSpec& c : DescriptionOf(id).controls) {
            if (!c.bold) continue;
            ++bold;
            EXPECT_EQ(id, WindowId::frmMain) << c.name;
            EXPECT_EQ(c.kind, ControlKind::CommandButton) << c.name;
        }
    }
    EXPECT_EQ(bold, 7);
}

TEST(WindowLayout, ControlNamesAreUniqueAndContainersPointBackwardsAtFrames) {
    for (WindowId id : kAllWindows) {
        const auto controls = DescriptionOf(id).controls;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            SCOPED_TRACE(std::string(WindowName(id)) + " " + std::string(controls[i].name));
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                EXPECT_NE(controls[i].name, controls[j].name);
            }
            const int container = controls[i].container;
            if (container == kInWindow) continue;
            // The frame comes first in the table, so it exists before its children.
            ASSERT_GE(container, 0);
            ASSERT_LT(static_cast<std::size_t>(container), i);
            EXPECT_EQ(controls[static_cast<std::size_t>(container)].kind, ControlKind::Frame);
        }
    }
}

}  // namespace
}  // namespace kr2
