#include "window_checks.h"

#include <oleacc.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "expect.h"
#include "launcher_run.h"
#include "resource.h"
#include "screen_pixels.h"
#include "window_probe.h"

namespace kr2::e2e {
namespace {

void CheckStyles(HWND top, WindowId w, InsideProbe& inside) {
    const ExpectedWindow& want = Expected(w);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(top, GWL_STYLE));
    const auto ex = static_cast<DWORD>(GetWindowLongPtrW(top, GWL_EXSTYLE));
    const std::string n = Name(w);
    const bool tool = (ex & WS_EX_TOOLWINDOW) != 0;
    const bool owned = GetWindow(top, GW_OWNER) != nullptr;

    ExpectEq(tool, want.toolWindow, n + ": WS_EX_TOOLWINDOW");
    ExpectEq((style & WS_CAPTION) == WS_CAPTION, true, n + ": has a caption bar");
    ExpectEq((style & WS_SYSMENU) != 0, true, n + ": has a close box (WS_SYSMENU)");
    ExpectEq((style & WS_THICKFRAME) != 0, false, n + ": fixed border, not resizable");
    ExpectEq((style & WS_MAXIMIZEBOX) != 0, false, n + ": no maximise box");
    ExpectEq((style & WS_MINIMIZEBOX) != 0, !want.toolWindow, n + ": minimise box");
    ExpectEq(owned, false, n + ": no owner");
    ExpectEq((style & WS_CHILD) != 0, false, n + ": a top-level window");
    const bool inTaskbar = (ex & WS_EX_APPWINDOW) != 0 || (!owned && !tool);
    ExpectEq(inTaskbar, !want.toolWindow, n + ": taskbar button");
    if (!want.toolWindow) {
        const std::optional<ProbeReply> seen = inside.Read(top);
        if (Expect(seen && seen->hasIcon, n + ": has a window icon")) {
            const std::string size = std::to_string(seen->iconWidth) + "x" + std::to_string(seen->iconHeight) +
                                     " at " + std::to_string(seen->iconBitsPerPixel) + " bpp";
            // Drawn from the one 32x32 image; the screen may hold it at 24 or 32 bpp.
            Expect(seen->iconWidth == 32 && seen->iconHeight == 32 && seen->iconBitsPerPixel >= 24,
                   n + ": the big icon is 32x32 in colour; seen " + size);
        }
    }
}

void CheckClientSize(HWND top, WindowId w) {
    RECT client{};
    GetClientRect(top, &client);
    ExpectEq(client.right - client.left, At96(Expected(w).clientWidth), Name(w) + ": client width");
    ExpectEq(client.bottom - client.top, At96(Expected(w).clientHeight), Name(w) + ": client height");
}

void CheckKind(HWND top, HWND control, const ExpectedControl& want, const std::string& n) {
    const std::wstring cls = ClassOf(control);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    const bool buttonClass = _wcsicmp(cls.c_str(), L"Button") == 0;
    switch (want.kind) {
        case Kind::Button:
            Expect(buttonClass, n + ": a button control; class seen: " + e2e::Describe(cls));
            // No default button: only the focused one may show the default
            // border, which the dialog manager moves along with the focus.
            if (FocusOf(top) != control)
                ExpectEq(style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON), n + ": BS_PUSHBUTTON");
            else
                Expect((style & BS_TYPEMASK) == BS_PUSHBUTTON || (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON,
                       n + ": a push button");
            break;
        case Kind::Frame:
            Expect(buttonClass && (style & BS_TYPEMASK) == BS_GROUPBOX,
                   n + ": a group box; class seen: " + e2e::Describe(cls));
            break;
        case Kind::Label:
            Expect(_wcsicmp(cls.c_str(), L"Static") == 0,
                   n + ": a static label; class seen: " + e2e::Describe(cls));
            break;
        case Kind::Picture: {
            const auto ex = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_EXSTYLE));
            Expect((ex & WS_EX_CLIENTEDGE) != 0, n + ": sunken border (WS_EX_CLIENTEDGE)");
            break;
        }
        case Kind::Image: {
            const auto ex = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_EXSTYLE));
            Expect((ex & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) == 0 && (style & WS_BORDER) == 0,
                   n + ": no border");
            // Windows' arrow keys pass over the controls that answer as
            // statics and would leave the focus, unseen, on any other. Wine's
            // arrows move no focus in a window that is not a dialog, so the
            // answer is what can be seen here.
            ExpectEq(SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_STATIC, static_cast<LRESULT>(DLGC_STATIC),
                     n + ": answers WM_GETDLGCODE as a static");
            break;
        }
    }
}

// The space a control's own drawing takes from its text on each side: a
// button's raised edge and the focus rectangle inside it; a frame's line
// and the gap before its caption; nothing for a label.
SIZE TextMargins(Kind kind) {
    switch (kind) {
        case Kind::Button: return {GetSystemMetrics(SM_CXEDGE) + 1, GetSystemMetrics(SM_CYEDGE) + 1};
        case Kind::Frame: return {8, 0};
        default: return {0, 0};
    }
}

// What a screen reader says for the two pictures: the picture the game's
// name, the icon the program's. Both draw themselves for WM_PRINTCLIENT as
// they do on the screen.
void CheckAccessible(HWND control, const ExpectedControl& want, InsideProbe& inside, const std::string& n) {
    if (want.kind != Kind::Picture && want.kind != Kind::Image) return;
    const std::optional<ProbeReply> seen = inside.Read(control, kProbeAccessible);
    if (!Expect(seen && seen->accessibleRead, n + ": answers AccessibleObjectFromWindow with a name and a role"))
        return;
    ExpectEq(std::wstring(seen->accessibleName),
             std::wstring(want.kind == Kind::Picture ? L"Kestrane II" : L"Kestrane II Launcher"), n + ": accessible name");
    ExpectEq(static_cast<long>(seen->accessibleRole), static_cast<long>(ROLE_SYSTEM_GRAPHIC), n + ": accessible role");
    ExpectEq(seen->printedDiffers, 0L, n + ": pixels WM_PRINTCLIENT draws otherwise than the screen shows");
}

// The picture box shows the launcher's bitmap as its own decoder unpacks it,
// unscaled from the inner top-left: every pixel of its inside, once painted.
void CheckPicturePixels(HWND control, const ExpectedControl& want, const std::string& n) {
    if (want.kind != Kind::Picture) return;
    const LauncherResources exe;
    const std::optional<e2e::Pixels> art = e2e::BitmapResource(exe.get(), IDB_PICTURE);
    if (!Expect(exe.get() && art, n + ": the launcher's bitmap can be read")) return;
    e2e::Pixels seen;
    auto firstDifference = [&]() -> POINT {
        if (seen.width <= 0 || seen.height <= 0) return {0, 0};  // nothing captured
        for (int y = 0; y < seen.height; ++y)
            for (int x = 0; x < seen.width; ++x)
                if (x >= art->width || y >= art->height || seen.At(x, y) != art->At(x, y)) return {x, y};
        return {-1, -1};
    };
    WaitFor([&] {
        seen = e2e::CaptureScreen(ClientOnScreen(control));
        return firstDifference().x < 0;
    }, 2000);
    const POINT at = firstDifference();
    Expect(at.x < 0, n + ": the bitmap pixel for pixel; the first that differs at " + std::to_string(at.x) + "," +
                         std::to_string(at.y) + " of " + std::to_string(seen.width) + "x" + std::to_string(seen.height));
}

// What the window does show, for a control that was not found by its text.
std::string VisibleTexts(HWND top) {
    std::string out;
    for (HWND h : Descendants(top)) {
        if (IsWindowVisible(h)) out += (out.empty() ? "" : " ") + e2e::Describe(TextOf(h));
    }
    return out;
}

}  // namespace

bool Near(int pixels, int twips, int dpi) {
    return dpi == 96 ? pixels == At96(twips) : std::fabs(pixels - twips * dpi / 1440.0) <= 1.0;
}

std::string Twips(int twips, int dpi) {
    char out[32];
    std::snprintf(out, sizeof out, "%.1f", twips * dpi / 1440.0);
    return out;
}

void CheckRect(HWND top, const ExpectedWindow& w, int index, const std::string& n, int dpi) {
    const ExpectedControl& want = w.controls[static_cast<std::size_t>(index)];
    const RECT r = RectInContainer(top, w, index);
    const int width = r.right - r.left, height = r.bottom - r.top;
    Expect(Near(r.left, want.left, dpi) && Near(r.top, want.top, dpi) && Near(width, want.width, dpi) &&
               Near(height, want.height, dpi),
           n + ": rectangle in pixels (left,top width x height) " + std::to_string(r.left) + "," +
               std::to_string(r.top) + " " + std::to_string(width) + "x" + std::to_string(height) + ", designed " +
               Twips(want.left, dpi) + "," + Twips(want.top, dpi) + " " + Twips(want.width, dpi) + "x" +
               Twips(want.height, dpi));
}

void CheckFont(HWND control, const ExpectedControl& want, InsideProbe& inside, const std::string& n, int dpi) {
    if (want.kind == Kind::Picture || want.kind == Kind::Image) return;  // they show no text
    const std::optional<ProbeReply> seen = inside.Read(control);
    if (!Expect(seen && seen->fontRead, n + ": has a font of its own (WM_GETFONT)")) return;
    const LOGFONTW& font = seen->font;
    ExpectEq(std::wstring(font.lfFaceName), std::wstring(L"MS Sans Serif"), n + ": font face");
    ExpectEq(static_cast<long>(font.lfWeight), want.bold ? 700L : 400L, n + ": font weight");
    // 8.25 points: 11 pixels at 96 DPI, within a pixel elsewhere.
    const double pixels = 8.25 * dpi / 72.0;
    if (dpi == 96)
        ExpectEq(static_cast<long>(font.lfHeight), -11L, n + ": font height");
    else
        Expect(std::fabs(std::abs(font.lfHeight) - pixels) <= 1.0, n + ": font height within a pixel of " +
                                                                      std::to_string(pixels) + "; lfHeight " +
                                                                      std::to_string(font.lfHeight));
    Expect(!font.lfItalic && !font.lfUnderline && !font.lfStrikeOut, n + ": not italic, underlined or struck out");
    ExpectEq(static_cast<int>(font.lfCharSet), 0, n + ": character set 0");
    if (Expect(seen->textMeasured, n + ": caption measured")) CheckCaptionDrawn(control, want, *seen, n, dpi);
}

void CheckCaptionDrawn(HWND control, const ExpectedControl& want, const ProbeReply& seen,
                       const std::string& name, int dpi) {
    ExpectEq(std::wstring(seen.realizedFace), std::wstring(L"MS Sans Serif"),
             name + ": face the platform draws the caption in");

    RECT client{};
    GetClientRect(control, &client);
    const SIZE margin = TextMargins(want.kind);
    const LONG roomX = client.right - 2 * margin.cx;
    const LONG roomY = client.bottom - 2 * margin.cy;
    std::printf("caption fit at %3d DPI: %-44s text %3ld x %2ld px, room %3ld x %2ld\n", dpi, name.c_str(),
                seen.textExtent.cx, seen.textExtent.cy, roomX, roomY);
    Expect(seen.textExtent.cx <= roomX && seen.textExtent.cy <= roomY,
           name + ": caption fits on one line; text " + std::to_string(seen.textExtent.cx) + "x" +
               std::to_string(seen.textExtent.cy) + " px, room " + std::to_string(roomX) + "x" +
               std::to_string(roomY));

    if (!want.bold) return;
    std::printf("bold at %3d DPI: %-44s %ls weight %ld: %ld px wide, ink %ld; regular %ld px, ink %ld\n", dpi,
                name.c_str(), seen.realizedFace, seen.realizedWeight, seen.textExtent.cx, seen.ink,
                seen.regularWidth, seen.regularInk);
    Expect(seen.realizedWeight >= FW_SEMIBOLD,
           name + ": drawn at a bold weight; tmWeight " + std::to_string(seen.realizedWeight));
    // Bold strokes are wider: the caption takes more room and at least a
    // quarter more ink (1.6 to 1.8 times here). A bold that only spaces the
    // regular glyphs further apart, as Wine's Tahoma does at 13 and 16
    // pixels, is wider with the same ink.
    Expect(seen.textExtent.cx > seen.regularWidth && seen.ink * 4 > seen.regularInk * 5,
           name + ": bold caption wider and darker than the regular one; " + std::to_string(seen.textExtent.cx) +
               " px and " + std::to_string(seen.ink) + " dark pixels against " +
               std::to_string(seen.regularWidth) + " px and " + std::to_string(seen.regularInk));
}

RECT RectInContainer(HWND top, const ExpectedWindow& w, int index) {
    const int container = w.controls[static_cast<std::size_t>(index)].container;
    HWND frame = container == design::kInWindow ? nullptr : FindControl(top, w, container);
    HWND control = FindControl(top, w, index);
    if (!control || (container != design::kInWindow && !frame)) return {};
    RECT origin = ClientOnScreen(top);
    if (frame) GetWindowRect(frame, &origin);
    RECT r{};
    GetWindowRect(control, &r);
    OffsetRect(&r, -origin.left, -origin.top);
    return r;
}

bool IsCentred(HWND top) {
    RECT r{};
    GetWindowRect(top, &r);
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    const int sh = GetSystemMetrics(SM_CYSCREEN);
    const int wantLeft = (sw - (r.right - r.left)) / 2;
    const int wantTop = (sh - (r.bottom - r.top)) / 2;
    return std::abs(r.left - wantLeft) <= 1 && std::abs(r.top - wantTop) <= 1;
}

void CheckCentred(HWND top, WindowId w, const char* when) {
    RECT r{};
    GetWindowRect(top, &r);
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    const int sh = GetSystemMetrics(SM_CYSCREEN);
    Expect(IsCentred(top), Name(w) + ": centred on the " + std::to_string(sw) + "x" + std::to_string(sh) +
                               " screen " + when + "; window rect seen: " + std::to_string(r.left) + "," +
                               std::to_string(r.top) + " to " + std::to_string(r.right) + "," +
                               std::to_string(r.bottom));
}

void CheckWindowLooks(HWND top, WindowId w, InsideProbe& inside) {
    const ExpectedWindow& want = Expected(w);
    ExpectEq(CaptionOf(top), std::wstring(want.caption), Name(w) + ": caption");
    CheckStyles(top, w, inside);
    CheckClientSize(top, w);
    CheckCentred(top, w, "when opened");

    // Opening places the focus just after the window shows; wait for it so
    // the default-button look below is judged against the settled focus.
    HWND first = FindControl(top, want, TabCycle(want).front());
    Expect(first && WaitFor([&] { return FocusOf(top) == first; }, 2000),
           Name(w) + ": focus on its first control in tab order when opened");

    int visible = 0;
    for (HWND h : Descendants(top)) visible += IsWindowVisible(h) ? 1 : 0;
    ExpectEq(visible, static_cast<int>(want.controls.size()), Name(w) + ": number of visible controls");

    for (std::size_t i = 0; i < want.controls.size(); ++i) {
        const ExpectedControl& c = want.controls[i];
        const std::string n = Name(w) + " " + (c.caption.empty() ? std::string(c.kind == Kind::Image ? "image" : "picture")
                                                                 : e2e::Describe(c.caption));
        HWND control = FindControl(top, want, static_cast<int>(i));
        if (!Expect(control != nullptr, n + ": control missing; visible texts: " + VisibleTexts(top))) continue;
        ExpectEq(TextOf(control), std::wstring(c.caption), n + ": text");
        CheckKind(top, control, c, n);
        CheckRect(top, want, static_cast<int>(i), n, 96);
        CheckFont(control, c, inside, n, 96);
        CheckAccessible(control, c, inside, n);
        CheckPicturePixels(control, c, n);
    }
}

}  // namespace kr2::e2e
