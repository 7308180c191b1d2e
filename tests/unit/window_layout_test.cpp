#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "expected_layout.h"
#include "recording_fakes.h"
#include "window_registry.h"

namespace kr2 {
namespace {

constexpr int kDpi = 96;

// The design table's rectangle at 96 DPI, converted by the tests themselves.
PixelRect Designed(const design::Control& c) {
    return {design::Pixels(c.left, kDpi), design::Pixels(c.top, kDpi), design::Pixels(c.width, kDpi),
            design::Pixels(c.height, kDpi)};
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
    EXPECT_EQ(Designed(design::ControlNamed(WindowId::frmMain, "Picture1")), (PixelRect{3, 3, 316, 193}));
    EXPECT_EQ(Designed(design::ControlNamed(WindowId::frmAbout, "Frame1")), (PixelRect{4, 0, 289, 81}));
    EXPECT_EQ(Designed(design::ControlNamed(WindowId::frmAbout, "Command1")), (PixelRect{192, 112, 97, 25}));
    EXPECT_EQ(Designed(design::ControlNamed(WindowId::frmAbout, "Image1")), (PixelRect{8, 16, 32, 32}));
    // Halves round up: 4815 twips are 481.5 pixels at 144 DPI, 401.25 at 120.
    EXPECT_EQ(design::Pixels(4815, 144), 482);
    EXPECT_EQ(design::Pixels(4815, 120), 401);
    EXPECT_EQ(design::Pixels(375, 120), 31);  // 31.25
    EXPECT_EQ(design::Pixels(55, 96), 4);     // 3.67
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
