// At 144 DPI every window, control, font, the picture and the icon are half
// as large again as at 96 DPI, and at 120 DPI every window, control and font
// a quarter as large again; at both, every caption is drawn in its own face,
// on one line inside its control, and the main window's buttons are bold.

#include <cmath>
#include <cstdio>
#include <string>

#include "expect.h"
#include "expected_twips.h"
#include "inside_probe.h"
#include "launcher_run.h"
#include "resource.h"
#include "resource_counts.h"
#include "screen_pixels.h"
#include "system_dpi_setting.h"
#include "window_checks.h"
#include "window_probe.h"

namespace kr2::stress {
namespace {

using gui::Expect;
using gui::ExpectEq;
using gui::Expected;
using gui::Kind;
using gui::Win;

std::string Name(Win w) { return std::string(Expected(w).name); }

// Twips at `dpi`; one pixel either way is allowed for rounding.
bool Near(int pixels, int twips, int dpi) { return std::fabs(pixels - twips * dpi / 1440.0) <= 1.0; }

// Twips at `dpi` for a message: "481.5".
std::string Twips(int twips, int dpi) {
    char out[32];
    std::snprintf(out, sizeof out, "%.1f", twips * dpi / 1440.0);
    return out;
}

std::wstring LauncherExe() {
    std::wstring path = KR2_LAUNCHER_EXE;
    for (wchar_t& c : path) if (c == L'/') c = L'\\';
    return path;
}

// The launcher's own artwork, read from its executable.
class LauncherResources {
public:
    LauncherResources()
        : module_(LoadLibraryExW(LauncherExe().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~LauncherResources() {
        if (module_) FreeLibrary(module_);
    }
    LauncherResources(const LauncherResources&) = delete;
    LauncherResources& operator=(const LauncherResources&) = delete;
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

void CheckFontAndCaption(HWND control, const gui::ExpectedControl& want, gui::InsideProbe& inside,
                         const std::string& n, int dpi) {
    const std::optional<gui::ProbeReply> seen = inside.Read(control);
    if (!Expect(seen && seen->fontRead && seen->textMeasured, n + ": font read and caption measured")) return;
    const LOGFONTW& font = seen->font;
    ExpectEq(std::wstring(font.lfFaceName), std::wstring(L"MS Sans Serif"), n + ": font face");
    ExpectEq(static_cast<long>(font.lfWeight), want.bold ? 700L : 400L, n + ": font weight");
    const double points = 8.25 * dpi / 72.0;
    Expect(std::fabs(std::abs(font.lfHeight) - points) <= 1.0,
           n + ": font height within a pixel of " + std::to_string(points) + "; lfHeight " +
               std::to_string(font.lfHeight));
    gui::CheckCaptionDrawn(control, want, *seen, n, dpi);
}

void CheckRect(HWND top, HWND control, Win w, std::size_t i, const std::string& n, int dpi) {
    const gui::ExpectedControl& want = Expected(w).controls[i];
    const TwipRect& twips = TwipsOf(w).controls[i];
    POINT origin{};
    if (want.container == gui::kTopLevel) {
        const RECT client = gui::ClientOnScreen(top);
        origin = {client.left, client.top};
    } else {
        HWND frame = gui::FindControl(top, Expected(w), want.container);
        if (!Expect(frame != nullptr, n + ": its frame is missing")) return;
        RECT fr{};
        GetWindowRect(frame, &fr);
        origin = {fr.left, fr.top};
    }
    RECT r{};
    GetWindowRect(control, &r);
    const int left = r.left - origin.x, y = r.top - origin.y;
    const int width = r.right - r.left, height = r.bottom - r.top;
    Expect(Near(left, twips.left, dpi) && Near(y, twips.top, dpi) && Near(width, twips.width, dpi) &&
               Near(height, twips.height, dpi),
           n + ": rectangle " + std::to_string(left) + "," + std::to_string(y) + " " + std::to_string(width) +
               "x" + std::to_string(height) + " px, designed " + Twips(twips.left, dpi) + "," +
               Twips(twips.top, dpi) + " " + Twips(twips.width, dpi) + "x" + Twips(twips.height, dpi));
}

void CheckWindowScaled(HWND top, Win w, gui::InsideProbe& inside, int dpi) {
    const gui::ExpectedWindow& want = Expected(w);
    const WindowTwips& twips = TwipsOf(w);
    if (!ExpectEq(twips.controls.size(), want.controls.size(), Name(w) + ": twip and pixel tables agree")) return;

    RECT client{};
    GetClientRect(top, &client);
    Expect(Near(client.right, twips.clientWidth, dpi) && Near(client.bottom, twips.clientHeight, dpi),
           Name(w) + ": client area " + std::to_string(client.right) + "x" + std::to_string(client.bottom) +
               " px, designed " + Twips(twips.clientWidth, dpi) + "x" + Twips(twips.clientHeight, dpi));

    for (std::size_t i = 0; i < want.controls.size(); ++i) {
        const gui::ExpectedControl& c = want.controls[i];
        const std::string n = Name(w) + " " + (c.caption.empty() ? "image" : e2e::Describe(c.caption));
        HWND control = gui::FindControl(top, want, static_cast<int>(i));
        if (!Expect(control != nullptr, n + ": control missing")) continue;
        CheckRect(top, control, w, i, n, dpi);
        if (c.kind != Kind::Picture && c.kind != Kind::Image) CheckFontAndCaption(control, c, inside, n, dpi);
    }
}

// What the screen shows inside `control`, once it has been painted.
Pixels Painted(HWND control, const Pixels& expected, double scale) {
    const RECT inner = gui::ClientOnScreen(control);
    Pixels seen = CaptureScreen(inner);
    for (int tries = 0; tries < 50 && MeanDifference(seen, expected, scale, seen.width, seen.height) > 20; ++tries) {
        Sleep(20);
        seen = CaptureScreen(inner);
    }
    return seen;
}

// The picture drawn half as large again, filling the box: it matches the
// scaled artwork and not the artwork at its own size.
void CheckPicture(HWND main, const LauncherResources& exe) {
    HWND box = gui::FindControl(main, Expected(Win::Main), 0);
    const std::optional<Pixels> art = BitmapResource(exe.get(), IDB_PICTURE);
    if (!Expect(box && art, "frmMain picture box and the launcher's bitmap")) return;
    const Pixels seen = Painted(box, *art, 1.5);
    const int w = art->width * 3 / 2, h = art->height * 3 / 2;
    const double scaled = MeanDifference(seen, *art, 1.5, w, h);
    const double unscaled = MeanDifference(seen, *art, 1.0, art->width, art->height);
    std::printf("high dpi: picture %dx%d px inside the box; mean difference %.1f scaled, %.1f unscaled\n",
                seen.width, seen.height, scaled, unscaled);
    Expect(seen.width >= w - 2 && seen.height >= h - 2,
           "frmMain picture box holds the scaled picture: inside " + std::to_string(seen.width) + "x" +
               std::to_string(seen.height) + ", picture " + std::to_string(w) + "x" + std::to_string(h));
    Expect(scaled < 20.0 && scaled * 2 < unscaled,
           "frmMain picture drawn at 1.5 times its size: mean difference " + std::to_string(scaled) +
               " to the scaled picture, " + std::to_string(unscaled) + " to the unscaled one");
}

void CheckIcons(HWND main, HWND about, const LauncherResources& exe, gui::InsideProbe& inside) {
    const std::optional<gui::ProbeReply> window = inside.Read(main);
    if (Expect(window && window->hasIcon, "frmMain has a window icon"))
        Expect(window->iconWidth == 48 && window->iconHeight == 48,
               "frmMain big icon at 48x48; seen " + std::to_string(window->iconWidth) + "x" +
                   std::to_string(window->iconHeight));

    HWND image = gui::FindControl(about, Expected(Win::About), 1);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::optional<Pixels> big = IconResource(exe.get(), IDI_PROGRAM, 48, face);
    const std::optional<Pixels> small = IconResource(exe.get(), IDI_PROGRAM, 32, face);
    if (!Expect(image && big && small, "frmAbout icon and the launcher's icon")) return;
    const Pixels seen = Painted(image, *big, 1.0);
    const double scaled = MeanDifference(seen, *big, 1.0, 48, 48);
    const double unscaled = MeanDifference(seen, *small, 1.0, 32, 32);
    std::printf("high dpi: About icon %dx%d px; mean difference %.1f to 48 px, %.1f to 32 px\n", seen.width,
                seen.height, scaled, unscaled);
    Expect(scaled < 20.0 && scaled * 2 < unscaled,
           "frmAbout icon drawn at 48x48: mean difference " + std::to_string(scaled) + " to the icon at 48 px, " +
               std::to_string(unscaled) + " to the icon at 32 px");
}

void CloseAndWait(const gui::LauncherRun& run, HWND top, Win w) {
    PostMessageW(top, WM_CLOSE, 0, 0);
    Expect(run.WaitGone(w), Name(w) + " closes");
}

// One launcher run at `dpi` through all five windows; `artwork` also checks
// the picture and the About icon, drawn at 1.5 times their size at 144 DPI.
void CheckAllWindows(int dpi, bool artwork) {
    if (!RunningUnderWine()) {
        // On Windows the system DPI changes only with a new sign-in.
        std::printf("high dpi: skipped, the system DPI is set through Wine's registry\n");
        return;
    }
    if (!Expect(SeePhysicalPixels(), "this thread sees physical pixels")) return;
    SystemDpiSetting setting(static_cast<DWORD>(dpi));
    if (!Expect(setting.Applied(), "LogPixels set to " + std::to_string(dpi))) return;
    const LauncherResources exe;
    if (!Expect(exe.get() != nullptr, "the launcher's resources can be read")) return;

    gui::GameLayout layout(L"stress_dpi");
    gui::LauncherRun run(layout);
    HWND main = run.WaitWindow(Win::Main);
    if (!main) return;
    gui::InsideProbe inside(main);
    Expect(inside.Ready(), "probe hooked into the launcher's thread");

    // The picture first, while no other window covers it.
    if (artwork) CheckPicture(main, exe);
    CheckWindowScaled(main, Win::Main, inside, dpi);
    for (Win w : {Win::Games, Win::About, Win::Options}) {
        HWND top = run.Open(w);
        if (!top) continue;
        CheckWindowScaled(top, w, inside, dpi);
        if (artwork && w == Win::About) CheckIcons(main, top, exe, inside);
        if (w != Win::Options) CloseAndWait(run, top, w);
    }
    // The options window leads to the level window and closes on the way.
    if (HWND levels = run.Open(Win::Levels)) CheckWindowScaled(levels, Win::Levels, inside, dpi);
}

TEST(StressHighDpi, ScalesEverything) { CheckAllWindows(144, true); }

TEST(StressHighDpi, ScalesWindowsAt120Dpi) { CheckAllWindows(120, false); }

}  // namespace
}  // namespace kr2::stress
