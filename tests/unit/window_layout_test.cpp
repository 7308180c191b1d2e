#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "expected_layout.h"
#include "recording_fakes.h"
#include "window_registry.h"

namespace kr2 {
namespace {

constexpr int kDpi = 96;

const ControlSpec& Control(WindowId id, std::string_view name) {
    for (const ControlSpec& c : ControlRowsOf(id)) {
        if (c.name == name) return c;
    }
    throw std::logic_error("no control " + std::string(name));
}

PixelRect Pixels(WindowId id, std::string_view name) { return ControlPixels(Control(id, name), kDpi); }

// The design table's rectangle at 96 DPI, converted by the tests themselves.
PixelRect Designed(const design::Control& c) {
    return {design::Pixels(c.left, kDpi), design::Pixels(c.top, kDpi), design::Pixels(c.width, kDpi),
            design::Pixels(c.height, kDpi)};
}

PixelRect Designed(WindowId id, std::string_view name) {
    for (const design::Control& c : design::Layout(id).controls) {
        if (c.name == name) return Designed(c);
    }
    throw std::logic_error("no designed control " + std::string(name));
}

ControlKind KindOf(design::Kind kind) {
    switch (kind) {
        case design::Kind::Button: return ControlKind::CommandButton;
        case design::Kind::Frame: return ControlKind::Frame;
        case design::Kind::Label: return ControlKind::Label;
        case design::Kind::Picture: return ControlKind::PictureBox;
        case design::Kind::Image: return ControlKind::Image;
    }
    throw std::logic_error("no such kind");
}

// "Name=Caption" for each control in tab order; controls without a tab index
// are left out. Tab indices must run 0..n-1 without gaps or repeats.
template <class Controls>
std::vector<std::string> TabOrder(const Controls& controls) {
    std::vector<const typename Controls::element_type*> tabbed;
    for (const auto& c : controls) {
        if (c.tabIndex >= 0) tabbed.push_back(&c);  // the image has none
    }
    std::sort(tabbed.begin(), tabbed.end(), [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    std::vector<std::string> order;
    for (std::size_t i = 0; i < tabbed.size(); ++i) {
        EXPECT_EQ(tabbed[i]->tabIndex, static_cast<int>(i)) << tabbed[i]->name;
        order.push_back(std::string(tabbed[i]->name) + "=" + test::Narrow(tabbed[i]->caption));
    }
    return order;
}

// Centred on the screen wherever the work area holds the window; otherwise
// moved in, its top left corner first.
TEST(WindowLayout, WindowsOpenCentredWithinTheWorkArea) {
    struct Case {
        PixelRect work;
        int width, height;
        int left, top;
    };
    const PixelRect screen{0, 0, 1024, 768};
    const Case cases[] = {
        {screen, 400, 300, 312, 234},                   // fits: centred
        {{0, 0, 1024, 728}, 400, 300, 312, 234},        // a taskbar below that it does not reach
        {{0, 0, 1024, 728}, 400, 700, 312, 28},         // one it would reach: pushed up to it
        {{0, 40, 1024, 728}, 400, 700, 312, 40},        // a taskbar above
        {{0, 40, 1024, 600}, 400, 550, 312, 90},        // and one below
        {{0, 0, 800, 600}, 820, 630, 0, 0},             // larger than the work area: top left in it
        {{60, 0, 964, 768}, 1000, 300, 60, 234},        // a taskbar on the left
        {screen, 1024, 768, 0, 0},                      // exactly the screen
    };
    for (const Case& c : cases) {
        const PixelRect at = PlaceCentred(c.width, c.height, screen, c.work);
        EXPECT_EQ(at, (PixelRect{c.left, c.top, c.width, c.height}))
            << c.width << "x" << c.height << " in a work area from " << c.work.left << "," << c.work.top;
    }
}

TEST(WindowLayout, WindowsHaveTheirCaptionsBordersAndClientAreas) {
    for (WindowId id : kAllWindows) {
        const design::Window& want = design::Layout(id);
        const WindowSpec& desc = DescriptionOf(id);
        SCOPED_TRACE(std::string(WindowName(id)));
        EXPECT_EQ(desc.id, id);
        EXPECT_EQ(desc.caption, want.caption);
        EXPECT_EQ(desc.border, want.toolWindow ? BorderStyle::FixedToolWindow : BorderStyle::FixedSingle);
        EXPECT_EQ(TwipsToPixels(desc.clientWidth, kDpi), design::Pixels(want.clientWidth, kDpi));
        EXPECT_EQ(TwipsToPixels(desc.clientHeight, kDpi), design::Pixels(want.clientHeight, kDpi));
        EXPECT_EQ(desc.onLoad != nullptr, id == WindowId::frmMain);
        // The start-up window alone gets the program icon and a taskbar button.
        EXPECT_EQ(desc.mainWindow, !want.toolWindow);
    }
}

// The screen builds from the rows as written, less the names that only the
// tests read: every other field reaches it unchanged.
TEST(WindowLayout, TheScreenReadsTheRowsWithoutTheirNames) {
    for (WindowId id : kAllWindows) {
        SCOPED_TRACE(std::string(WindowName(id)));
        const auto rows = ControlRowsOf(id);
        const auto controls = DescriptionOf(id).controls;
        ASSERT_EQ(controls.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const ControlSpec& r = rows[i];
            const ControlSpec& c = controls[i];
            SCOPED_TRACE(std::string(r.name));
            EXPECT_FALSE(r.name.empty());
            EXPECT_TRUE(c.name.empty());
            EXPECT_TRUE(c.kind == r.kind && c.caption == r.caption && c.left == r.left && c.top == r.top &&
                        c.width == r.width && c.height == r.height && c.tabIndex == r.tabIndex &&
                        c.container == r.container && c.bold == r.bold && c.onClick == r.onClick &&
                        c.arg == r.arg);
        }
    }
}

// Every control of every window as designed: kind, caption, rectangle in
// pixels at 96 DPI, the frame that holds it, weight and tab index.
TEST(WindowLayout, EveryControlMatchesTheDesignAt96Dpi) {
    for (WindowId id : kAllWindows) {
        const design::Window& want = design::Layout(id);
        const auto controls = ControlRowsOf(id);
        SCOPED_TRACE(std::string(WindowName(id)));
        EXPECT_EQ(controls.size(), want.controls.size());
        for (const design::Control& d : want.controls) {
            SCOPED_TRACE(std::string(d.name));
            const auto found = std::find_if(controls.begin(), controls.end(),
                                            [&](const ControlSpec& c) { return c.name == d.name; });
            ASSERT_NE(found, controls.end());
            const ControlSpec& c = *found;
            EXPECT_EQ(c.kind, KindOf(d.kind));
            EXPECT_EQ(c.caption, d.caption);
            EXPECT_EQ(ControlPixels(c, kDpi), Designed(d));
            const std::string_view frame =
                c.container == kInWindow ? "" : controls[static_cast<std::size_t>(c.container)].name;
            const std::string_view designedFrame =
                d.container == design::kInWindow ? "" : want.controls[static_cast<std::size_t>(d.container)].name;
            EXPECT_EQ(frame, designedFrame);
            EXPECT_EQ(c.bold, d.bold);
            EXPECT_EQ(c.tabIndex, d.tabIndex == design::kNoTabIndex ? kNoTabIndex : d.tabIndex);
        }
    }
}

// A few figures written out in pixels, so that a wrong conversion in the
// tests' own Pixels() cannot pass with the table.
TEST(WindowLayout, HandWrittenPixelsAgreeWithTheDesignTable) {
    const design::Window& main = design::Layout(WindowId::frmMain);
    EXPECT_EQ(design::Pixels(main.clientWidth, kDpi), 321);
    EXPECT_EQ(design::Pixels(main.clientHeight, kDpi), 404);
    EXPECT_EQ(TwipsToPixels(DescriptionOf(WindowId::frmMain).clientWidth, kDpi), 321);
    EXPECT_EQ(TwipsToPixels(DescriptionOf(WindowId::frmMain).clientHeight, kDpi), 404);
    EXPECT_EQ(Designed(WindowId::frmMain, "Picture1"), (PixelRect{3, 3, 316, 193}));
    EXPECT_EQ(Designed(WindowId::frmAbout, "Frame1"), (PixelRect{4, 0, 289, 81}));
    EXPECT_EQ(Designed(WindowId::frmAbout, "Command1"), (PixelRect{192, 112, 97, 25}));
    EXPECT_EQ(Designed(WindowId::frmAbout, "Image1"), (PixelRect{8, 16, 32, 32}));
    // Halves round up: 4815 twips are 481.5 pixels at 144 DPI, 401.25 at 120.
    EXPECT_EQ(design::Pixels(4815, 144), 482);
    EXPECT_EQ(design::Pixels(4815, 120), 401);
    EXPECT_EQ(design::Pixels(375, 120), 31);  // 31.25
    EXPECT_EQ(design::Pixels(55, 96), 4);     // 3.67
}

TEST(WindowLayout, MainWindowPictureAndButtons) {
    EXPECT_EQ(Pixels(WindowId::frmMain, "Picture1"), (PixelRect{3, 3, 316, 193}));
    EXPECT_EQ(Control(WindowId::frmMain, "Picture1").kind, ControlKind::PictureBox);
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
    const PixelRect first = Pixels(WindowId::Games, players[0]);
    for (int i = 1; i < 5; ++i) {
        const PixelRect above = Pixels(WindowId::Games, players[i - 1]);
        const PixelRect r = Pixels(WindowId::Games, players[i]);
        EXPECT_EQ(r, (PixelRect{first.left, above.top + above.height - 1, first.width, first.height})) << players[i];
    }
    const PixelRect last = Pixels(WindowId::Games, players[4]);
    const PixelRect close = Pixels(WindowId::Games, "Command3");
    EXPECT_EQ(close.left, first.left);
    EXPECT_EQ(close.width, first.width);
    EXPECT_GT(close.top, last.top + last.height);
}

TEST(WindowLayout, LevelGridFollowsTheColumnRule) {
    for (int n = 1; n <= 26; ++n) {
        const std::string name = "Command" + std::to_string(n);
        const PixelRect r = Pixels(WindowId::spmaps, name);
        const PixelRect top = Pixels(WindowId::spmaps, n <= 13 ? "Command1" : "Command14");
        const int row = n <= 13 ? n - 1 : n - 14;
        // Thirteen rows a column, neighbours sharing an edge; the columns side by side.
        EXPECT_EQ(r, (PixelRect{top.left, top.top + (top.height - 1) * row, top.width, top.height})) << name;
        if (n > 13) {
            const PixelRect left = Pixels(WindowId::spmaps, "Command" + std::to_string(n - 13));
            EXPECT_EQ(r.top, left.top) << name;
            EXPECT_GT(r.left, left.left + left.width) << name;
        }
        EXPECT_EQ(Control(WindowId::spmaps, name).arg, n) << name;
    }
    // Close spans both columns.
    const PixelRect close = Pixels(WindowId::spmaps, "Command27");
    const PixelRect right = Pixels(WindowId::spmaps, "Command26");
    EXPECT_EQ(close.left, Pixels(WindowId::spmaps, "Command1").left);
    EXPECT_EQ(close.left + close.width, right.left + right.width);
    EXPECT_GT(close.top, right.top + right.height);
    EXPECT_EQ(DescriptionOf(WindowId::spmaps).controls.size(), 27u);
}

TEST(WindowLayout, AboutFrameHoldsTheIconAndTheCredit) {
    const ControlSpec& image = Control(WindowId::frmAbout, "Image1");
    EXPECT_EQ(image.kind, ControlKind::Image);
    EXPECT_EQ(image.tabIndex, kNoTabIndex);
    EXPECT_NE(image.onClick, nullptr);
    EXPECT_EQ(ControlPixels(image, kDpi), (PixelRect{8, 16, 32, 32}));
    EXPECT_EQ(Pixels(WindowId::frmAbout, "Frame1"), (PixelRect{4, 0, 289, 81}));
    EXPECT_EQ(Pixels(WindowId::frmAbout, "Command1"), (PixelRect{192, 112, 97, 25}));
}

TEST(WindowLayout, TabOrderAndCaptionsPerWindow) {
    for (WindowId id : kAllWindows) {
        SCOPED_TRACE(std::string(WindowName(id)));
        EXPECT_EQ(TabOrder(ControlRowsOf(id)), TabOrder(design::Layout(id).controls));
    }
    EXPECT_EQ(Control(WindowId::frmAbout, "Label3").caption.size(), 34u);
    EXPECT_EQ(Control(WindowId::frmAbout, "Image1").caption, L"");
}

TEST(WindowLayout, OnlyTheMainWindowsSevenButtonsAreBold) {
    int bold = 0;
    for (WindowId id : kAllWindows) {
        for (const ControlSpec& c : ControlRowsOf(id)) {
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
        const auto controls = ControlRowsOf(id);
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
