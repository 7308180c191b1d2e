#pragma once
// A window's description as data: sizes in twips, converted to pixels at the
// window's own DPI by the platform when it builds the window.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "window_id.h"

namespace kr2 {

struct HandlerContext;
// A click handler, told the window whose control was clicked; `arg` lets one
// handler serve a row of alike buttons.
using ClickHandler = void (*)(HandlerContext& ctx, WindowId own, int arg);
using LoadHandler = void (*)(HandlerContext& ctx);

enum class ControlKind { CommandButton, Label, Frame, PictureBox, Image };
enum class BorderStyle { FixedSingle, FixedToolWindow };

inline constexpr int kNoTabIndex = -1;  // images take no part in the tab order
inline constexpr int kInWindow = -1;    // placed relative to the client area

struct ControlSpec {
    // "Command1", "Picture1", ...: the design's name of the control, as its
    // handler's is. Only the rows as written carry it (ControlRowsOf); the
    // description the screen builds from leaves it empty (WithoutNames).
    std::string_view name;
    ControlKind kind;
    std::wstring_view caption;  // "&" marks the access key
    std::int16_t left;          // twips, relative to the container
    std::int16_t top;
    std::int16_t width;
    std::int16_t height;
    int tabIndex;                      // kNoTabIndex when the control has none
    int container = kInWindow;         // index of the containing frame in the same table, or kInWindow
    bool bold = false;
    ClickHandler onClick = nullptr;    // nullptr: clicks do nothing
    int arg = 0;                       // handed to onClick
};

struct WindowSpec {
    WindowId id;
    std::wstring_view caption;
    BorderStyle border;
    // The start-up window: the program's icon and its taskbar button.
    bool mainWindow = false;
    std::int32_t clientWidth;   // twips
    std::int32_t clientHeight;
    std::span<const ControlSpec> controls;
    LoadHandler onLoad = nullptr;  // only the main window has one
};

// The rows of a window as the screen reads them: the names stay in the
// source and with the tests, and never reach the executable.
template <std::size_t N>
constexpr std::array<ControlSpec, N> WithoutNames(const std::array<ControlSpec, N>& rows) {
    std::array<ControlSpec, N> controls = rows;
    for (ControlSpec& c : controls) c.name = {};
    return controls;
}

inline constexpr std::wstring_view kFontFace = L"MS Sans Serif";
inline constexpr int kFontPointsTimes100 = 825;
inline constexpr int kWeightBold = 700;
inline constexpr int kWeightRegular = 400;

// Twips to pixels at `dpi`, rounded to nearest (15 twips are one pixel at 96 DPI).
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

// The font height in pixels at `dpi` (8.25 pt gives 11 at 96 DPI), rounded
// down: the captions were laid out for 11 pixels and some fill their control
// almost exactly (the About disclaimer), so a font rounded up at 120 or 144
// DPI would cut them off.
constexpr int FontPixelHeight(int dpi) {
    return kFontPointsTimes100 * dpi / 7200;
}

struct PixelRect {
    int left, top, width, height;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The control's rectangle in pixels relative to its container (the client
// area, or the frame that holds it).
constexpr PixelRect ControlPixels(const ControlSpec& c, int dpi) {
    return {TwipsToPixels(c.left, dpi), TwipsToPixels(c.top, dpi), TwipsToPixels(c.width, dpi),
            TwipsToPixels(c.height, dpi)};
}

// Where a window of `width` by `height` pixels opens: centred on the screen,
// and moved into the work area only where it would stand out of it. A window
// larger than the work area keeps its top left corner in it, so that its
// title bar can always be reached, and never lies under the taskbar.
constexpr PixelRect PlaceCentred(int width, int height, PixelRect screen, PixelRect work) {
    // Not past the work area's far edge, then not before its near one.
    auto place = [](int centred, int size, int from, int room) {
        return std::max(from, std::min(centred, from + room - size));
    };
    return {place(screen.left + (screen.width - width) / 2, width, work.left, work.width),
            place(screen.top + (screen.height - height) / 2, height, work.top, work.height), width, height};
}

}  // namespace kr2
