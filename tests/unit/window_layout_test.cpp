#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "window_registry.h"

namespace kr2 {
namespace {

constexpr int kDpi = 96;
constexpr WindowId kAllWindows[] = {WindowId::frmMain, WindowId::Games, WindowId::Options,
                                    WindowId::spmaps, WindowId::frmAbout};

const ControlSpec& Control(WindowId id, std::string_view name) {
    for (const ControlSpec& c : DescriptionOf(id).controls) {
        if (c.name == name) return c;
    }
    throw std::logic_error("no control " + std::string(name));
}

PixelRect Pixels(WindowId id, std::string_view name) { return ControlPixels(Control(id, name), kDpi); }

// Control names in tab order; controls without a tab index are left out.
std::vector<std::string_view> TabOrder(WindowId id) {
    std::vector<const ControlSpec*> tabbed;
    for (const ControlSpec& c : DescriptionOf(id).controls) {
        if (c.tabIndex != kNoTabIndex) tabbed.push_back(&c);
    }
    std::sort(tabbed.begin(), tabbed.end(),
              [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    std::vector<std::string_view> names;
    for (std::size_t i = 0; i < tabbed.size(); ++i) {
        EXPECT_EQ(tabbed[i]->tabIndex, static_cast<int>(i)) << "tab indices run 0..n-1 without gaps";
        names.push_back(tabbed[i]->name);
    }
    return names;
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
        const WindowSpec& spec = DescriptionOf(e.id);
        SCOPED_TRACE(std::string(WindowName(e.id)));
        EXPECT_EQ(spec.id, e.id);
        EXPECT_EQ(spec.caption, e.caption);
        EXPECT_EQ(spec.border, e.border);
        EXPECT_EQ(TwipsToPixels(spec.clientWidth, kDpi), e.width);
        EXPECT_EQ(TwipsToPixels(spec.clientHeight, kDpi), e.height);
        EXPECT_EQ(spec.onLoad != nullptr, e.id == WindowId::frmMain);
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

TEST(WindowLayout, TabOrdersPerWindow) {
    using Names = std::vector<std::string_view>;
    EXPECT_EQ(TabOrder(WindowId::frmMain), (Names{"Command1", "Command2", "Command3", "Command4",
                                                  "Command5", "Picture1", "Command6", "Command7"}));
    EXPECT_EQ(TabOrder(WindowId::Games), (Names{"Command1", "Command2", "Command3", "Command4",
                                                "Command5", "Command6"}));
    EXPECT_EQ(TabOrder(WindowId::Options),
              (Names{"Command1", "Command2", "Command3", "Frame1", "Command4"}));
    EXPECT_EQ(TabOrder(WindowId::frmAbout),
              (Names{"Frame1", "Label2", "Command1", "Label1", "Label3"}));
    Names levels;
    std::vector<std::string> storage;
    for (int n = 1; n <= 27; ++n) storage.push_back("Command" + std::to_string(n));
    for (const std::string& s : storage) levels.push_back(s);
    EXPECT_EQ(TabOrder(WindowId::spmaps), levels);
}

TEST(WindowLayout, CaptionsAreExact) {
    struct Expected {
        WindowId id;
        const char* name;
        std::wstring_view caption;
    };
    const Expected expected[] = {
        {WindowId::frmMain, "Command1", L"&Start Kestrane II Single Player"},
        {WindowId::frmMain, "Command6", L"&Start Kestrane II Multiplayer"},
        {WindowId::frmMain, "Command3", L"&Readme"},
        {WindowId::frmMain, "Command7", L"&Options"},
        {WindowId::frmMain, "Command5", L"&About"},
        {WindowId::frmMain, "Command4", L"&Home Page"},
        {WindowId::frmMain, "Command2", L"E&xit to Windows"},
        {WindowId::Games, "Command1", L"&Player 1"},
        {WindowId::Games, "Command2", L"&Player 2"},
        {WindowId::Games, "Command4", L"&Player 3"},
        {WindowId::Games, "Command5", L"&Player 4"},
        {WindowId::Games, "Command6", L"&Player 5"},
        {WindowId::Games, "Command3", L"&Close"},
        {WindowId::Options, "Frame1", L"Options"},
        {WindowId::Options, "Command4", L"SP Levels"},
        {WindowId::Options, "Command2", L"KR2 SP (Safe Mode)"},
        {WindowId::Options, "Command3", L"KR2 MP (Safe Mode)"},
        {WindowId::Options, "Command1", L"&Close"},
        {WindowId::frmAbout, "Frame1", L"Hollowmere: Kestrane II Launcher Credits"},
        {WindowId::frmAbout, "Label2", L"Kip707"},
        {WindowId::frmAbout, "Command1", L"Close"},
        {WindowId::frmAbout, "Label1", L"beta 1.0"},
        {WindowId::frmAbout, "Label3", L"USE THIS  PROGRAM AT YOUR OWN RISK"},
        {WindowId::spmaps, "Command1", L"Tovek Gate"},
        {WindowId::spmaps, "Command2", L"Tovek Keep"},
        {WindowId::spmaps, "Command3", L"Orlan Quarry"},
        {WindowId::spmaps, "Command4", L"Orlan Cells"},
        {WindowId::spmaps, "Command5", L"Orlan Upper Deck"},
        {WindowId::spmaps, "Command6", L"Gorge"},
        {WindowId::spmaps, "Command7", L"Sarneth Shrine"},
        {WindowId::spmaps, "Command8", L"Sarneth Ordeal"},
        {WindowId::spmaps, "Command9", L"ZR Alleys"},
        {WindowId::spmaps, "Command10", L"ZR Den"},
        {WindowId::spmaps, "Command11", L"ZR Skydock"},
        {WindowId::spmaps, "Command12", L"Caldor Lowtown"},
        {WindowId::spmaps, "Command13", L"Caldor Alleys"},
        {WindowId::spmaps, "Command14", L"Caldor Spire"},
        {WindowId::spmaps, "Command15", L"Drumbar Harbor"},
        {WindowId::spmaps, "Command16", L"Drumbar Foundry"},
        {WindowId::spmaps, "Command17", L"Drumbar Core"},
        {WindowId::spmaps, "Command18", L"Drumbar Pier 1"},
        {WindowId::spmaps, "Command19", L"Heskel Relay"},
        {WindowId::spmaps, "Command20", L"Heskel Cells"},
        {WindowId::spmaps, "Command21", L"Heskel Wards"},
        {WindowId::spmaps, "Command22", L"Sarneth Marsh"},
        {WindowId::spmaps, "Command23", L"Sarneth Ravine"},
        {WindowId::spmaps, "Command24", L"Sarneth Plaza"},
        {WindowId::spmaps, "Command25", L"Sarneth Summit"},
        {WindowId::spmaps, "Command26", L"Arena"},
        {WindowId::spmaps, "Command27", L"&Close"},
    };
    std::size_t controlCount = 0;
    for (WindowId id : kAllWindows) controlCount += DescriptionOf(id).controls.size();
    // Every control with a caption is listed; the picture box and the image have none.
    EXPECT_EQ(std::size(expected) + 2, controlCount);
    for (const Expected& e : expected) {
        EXPECT_EQ(Control(e.id, e.name).caption, e.caption) << WindowName(e.id) << " " << e.name;
    }
    EXPECT_EQ(Control(WindowId::frmAbout, "Label3").caption.size(), 34u);
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
