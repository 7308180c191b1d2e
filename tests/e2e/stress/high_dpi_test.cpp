// At 144 DPI every window, control, font, the picture and the icon are half
// as large again as at 96 DPI, and at 120 DPI every window, control and font
// a quarter as large again; at both, every caption is drawn in its own face,
// on one line inside its control, and the main window's buttons are bold.
// A window moved to a monitor of another DPI matches the one that opens
// there, and comes back from its moves as it was.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "expect.h"
#include "fault_plan.h"
#include "files.h"
#include "inside_probe.h"
#include "key_input.h"
#include "launcher_run.h"
#include "resource.h"
#include "resource_counts.h"
#include "screen_pixels.h"
#include "system_dpi_setting.h"
#include "window_checks.h"
#include "window_probe.h"

namespace kr2::e2e {
namespace {

using StressHighDpi = LauncherTest;

void CheckWindowScaled(HWND top, WindowId w, e2e::InsideProbe& inside, int dpi) {
    const e2e::ExpectedWindow& want = Expected(w);
    RECT client{};
    GetClientRect(top, &client);
    Expect(Near(client.right, want.clientWidth, dpi) && Near(client.bottom, want.clientHeight, dpi),
           Name(w) + ": client area " + std::to_string(client.right) + "x" + std::to_string(client.bottom) +
               " px, designed " + Twips(want.clientWidth, dpi) + "x" + Twips(want.clientHeight, dpi));

    for (std::size_t i = 0; i < want.controls.size(); ++i) {
        const e2e::ExpectedControl& c = want.controls[i];
        const std::string n = Name(w) + " " + (c.caption.empty() ? "image" : e2e::Describe(c.caption));
        HWND control = e2e::FindControl(top, want, static_cast<int>(i));
        if (!Expect(control != nullptr, n + ": control missing")) continue;
        CheckRect(top, want, static_cast<int>(i), n, dpi);
        CheckFont(control, c, inside, n, dpi);
    }
}

// What the screen shows inside `control`, once it has been painted.
Pixels Painted(HWND control, const Pixels& expected, double scale) {
    const RECT inner = e2e::ClientOnScreen(control);
    Pixels seen = CaptureScreen(inner);
    for (int tries = 0; tries < 50 && MeanDifference(seen, expected, scale, seen.width, seen.height) > 20; ++tries) {
        Sleep(20);
        seen = CaptureScreen(inner);
    }
    return seen;
}

// The picture drawn half as large again, filling the box: it matches the
// scaled artwork and not the artwork at its own size.
void CheckPicture(HWND main, const e2e::LauncherResources& exe) {
    HWND box = e2e::FindControl(main, Expected(WindowId::frmMain), 0);
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

void CheckIcons(HWND main, HWND about, const e2e::LauncherResources& exe, e2e::InsideProbe& inside) {
    const std::optional<e2e::ProbeReply> window = inside.Read(main);
    if (Expect(window && window->hasIcon, "frmMain has a window icon"))
        Expect(window->iconWidth == 48 && window->iconHeight == 48,
               "frmMain big icon at 48x48; seen " + std::to_string(window->iconWidth) + "x" +
                   std::to_string(window->iconHeight));

    HWND image = e2e::FindControl(about, Expected(WindowId::frmAbout), 1);
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

// What a window shows that must not depend on whether it opened at a DPI or
// moved there: rectangles, font requests and the artwork's pixels (which
// hold no text: a prefix's bitmap fonts follow its own DPI, as on Windows).
struct Look {
    SIZE outer{}, client{};
    std::vector<RECT> rects;          // each control's, in its container
    std::vector<LOGFONTW> fonts;      // each control's font request; none for the artwork
    std::vector<Pixels> artwork;      // inside the picture box and the icon, in table order
};
using Looks = std::array<Look, kWindowCount>;  // by Index(WindowId)

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfWeight == b.lfWeight &&
           a.lfItalic == b.lfItalic && a.lfCharSet == b.lfCharSet && std::wcscmp(a.lfFaceName, b.lfFaceName) == 0;
}

bool Same(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }

std::string Text(SIZE s) { return std::to_string(s.cx) + "x" + std::to_string(s.cy); }

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " to " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

bool SamePixels(const Pixels& a, const Pixels& b) {
    return a.width == b.width && a.height == b.height && a.rgb == b.rgb;
}

// What the screen shows in `rect` once it equals `want` (a window that has
// just painted), or after a second.
Pixels Settled(const RECT& rect, const Pixels* want) {
    Pixels seen = CaptureScreen(rect);
    for (int tries = 0; tries < 50; ++tries) {
        Sleep(20);
        Pixels again = CaptureScreen(rect);
        if (want ? SamePixels(again, *want) : SamePixels(again, seen)) return again;
        seen = std::move(again);
    }
    return seen;
}

// `like`: the look the window should have, whose artwork it is waited for.
Look LookOf(HWND top, WindowId w, e2e::InsideProbe& inside, const Look* like = nullptr) {
    Look look;
    RECT outer{}, client{};
    GetWindowRect(top, &outer);
    GetClientRect(top, &client);
    look.outer = {outer.right - outer.left, outer.bottom - outer.top};
    look.client = {client.right, client.bottom};
    const e2e::ExpectedWindow& want = Expected(w);
    for (std::size_t i = 0; i < want.controls.size(); ++i) {
        HWND control = e2e::FindControl(top, want, static_cast<int>(i));
        look.rects.push_back(control ? e2e::RectInContainer(top, want, static_cast<int>(i)) : RECT{});
        if (!control) continue;
        if (want.controls[i].kind == Kind::Picture || want.controls[i].kind == Kind::Image) {
            const Pixels* wanted = like && look.artwork.size() < like->artwork.size() ? &like->artwork[look.artwork.size()] : nullptr;
            look.artwork.push_back(Settled(e2e::ClientOnScreen(control), wanted));
        } else if (const std::optional<e2e::ProbeReply> seen = inside.Read(control); seen && seen->fontRead) {
            look.fonts.push_back(seen->font);
        }
    }
    return look;
}

void ExpectSameLook(const Look& seen, const Look& want, const std::string& n) {
    if (!ExpectEq(seen.rects.size(), want.rects.size(), n + ": controls")) return;
    for (std::size_t i = 0; i < seen.rects.size(); ++i) {
        Expect(EqualRect(&seen.rects[i], &want.rects[i]),
               n + ": control " + std::to_string(i) + " at " + Text(seen.rects[i]) + ", " + Text(want.rects[i]) + " wanted");
    }
    bool fonts = seen.fonts.size() == want.fonts.size();
    for (std::size_t i = 0; fonts && i < seen.fonts.size(); ++i) fonts = SameFont(seen.fonts[i], want.fonts[i]);
    Expect(fonts, n + ": every control's font request as opened there" +
                      (seen.fonts.empty() ? std::string() : "; first height " + std::to_string(seen.fonts[0].lfHeight)));
    bool art = seen.artwork.size() == want.artwork.size();
    for (std::size_t i = 0; art && i < seen.artwork.size(); ++i) art = SamePixels(seen.artwork[i], want.artwork[i]);
    Expect(art, n + ": the picture and icon pixel for pixel as opened there");
}

void CloseAndWait(const e2e::LauncherRun& run, HWND top, WindowId w) {
    PostMessageW(top, WM_CLOSE, 0, 0);
    Expect(run.WaitGone(w), Name(w) + " closes");
}

// One launcher run at `dpi` through every window; `artwork` also checks
// the picture and the About icon, drawn at 1.5 times their size at 144 DPI.
// Returns how each window looked.
Looks CheckAllWindows(int dpi, bool artwork) {
    Looks looks;
    if (!Expect(SeePhysicalPixels(), "this thread sees physical pixels")) return looks;
    SystemDpiSetting setting(static_cast<DWORD>(dpi));
    if (!Expect(setting.Applied(), "LogPixels set to " + std::to_string(dpi))) return looks;
    const e2e::LauncherResources exe;
    if (!Expect(exe.get() != nullptr, "the launcher's resources can be read")) return looks;

    e2e::GameLayout layout(L"stress_dpi");
    e2e::LauncherRun run(layout);
    HWND main = run.WaitWindow(WindowId::frmMain);
    if (!main) return looks;
    e2e::InsideProbe inside(main);
    Expect(inside.Ready(), "probe hooked into the launcher's thread");

    // The picture first, while no other window covers it.
    if (artwork) CheckPicture(main, exe);
    CheckWindowScaled(main, WindowId::frmMain, inside, dpi);
    looks[Index(WindowId::frmMain)] = LookOf(main, WindowId::frmMain, inside);
    // Each closed once it is checked: a window reached through another
    // opens that one anew.
    for (WindowId w : design::kSecondaryWindows) {
        HWND top = run.Open(w);
        if (!top) continue;
        CheckWindowScaled(top, w, inside, dpi);
        if (artwork && w == WindowId::frmAbout) CheckIcons(main, top, exe, inside);
        looks[Index(w)] = LookOf(top, w, inside);
        CloseAndWait(run, top, w);
    }
    return looks;
}

// Each DPI's windows as they open there, from the runs that check them.
std::map<int, Looks>& Opened() {
    static std::map<int, Looks> opened;
    return opened;
}

const Looks& OpenedAt(int dpi) {
    if (!Opened().count(dpi)) Opened()[dpi] = CheckAllWindows(dpi, dpi == 144);
    return Opened()[dpi];
}

// On Windows the system DPI changes only with a new sign-in.
#define KR2_NEEDS_WINE()                                                                        \
    if (!RunningUnderWine()) GTEST_SKIP() << "the system DPI is set through Wine's registry"

TEST_F(StressHighDpi, ScalesEverything) {
    KR2_NEEDS_WINE();
    Opened()[144] = CheckAllWindows(144, true);
}

TEST_F(StressHighDpi, ScalesWindowsAt120Dpi) {
    KR2_NEEDS_WINE();
    Opened()[120] = CheckAllWindows(120, false);
}

// The face the platform gives a font asked for by `face` in this process.
std::wstring FaceFor(const wchar_t* face) {
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, face);
    HDC dc = CreateCompatibleDC(nullptr);
    wchar_t given[LF_FACESIZE] = {};
    const HGDIOBJ old = SelectObject(dc, font);
    GetTextFaceW(dc, LF_FACESIZE, given);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);
    return given;
}

// Windows has a face named "Microsoft Sans Serif", the TrueType of MS Sans
// Serif's design, which Wine lacks; a stand-in of that name is put in the
// prefix. Where MS Sans Serif's own bold counts, as it does at 96 and 144
// DPI, the main window's bold captions keep it, the launcher's first choice.
TEST_F(StressHighDpi, BoldCaptionsKeepMsSansSerifBesideWindowsOwnFace) {
    KR2_NEEDS_WINE();
    wchar_t fonts[MAX_PATH] = {};
    GetWindowsDirectoryW(fonts, MAX_PATH);
    const std::wstring installed = std::wstring(fonts) + L"\\Fonts\\kr2_micross.ttf";
    e2e::SwappedFile place(installed, e2e::SwappedFile::Kind::Absent);
    e2e::CopyFileTo(KR2_SANS_SERIF_STAND_IN, installed);
    Expect(AddFontResourceExW(installed.c_str(), FR_PRIVATE, nullptr) > 0 &&
               FaceFor(L"Microsoft Sans Serif") == L"Microsoft Sans Serif",
           "the stand-in is a face named Microsoft Sans Serif");
    for (int dpi : {96, 144}) {
        SystemDpiSetting setting(static_cast<DWORD>(dpi));
        e2e::GameLayout layout(L"stress_dpi_faces");
        e2e::LauncherRun run(layout);
        HWND main = run.WaitWindow(WindowId::frmMain);
        if (!main) return;
        e2e::InsideProbe inside(main);
        const e2e::ExpectedWindow& want = Expected(WindowId::frmMain);
        for (std::size_t i = 0; i < want.controls.size(); ++i) {
            if (!want.controls[i].bold) continue;
            const auto seen = inside.Read(e2e::FindControl(main, want, static_cast<int>(i)));
            ExpectEq(std::wstring(seen ? seen->realizedFace : L"(unread)"), std::wstring(L"MS Sans Serif"),
                     e2e::Describe(want.controls[i].caption) + " at " + std::to_string(dpi) + " DPI: face given");
        }
        PostMessageW(main, WM_CLOSE, 0, 0);
        Expect(run.WaitExit(), "the launcher ends with its window");
    }
    RemoveFontResourceExW(installed.c_str(), FR_PRIVATE, nullptr);
}

// Windows' move between monitors of other DPIs, sent from inside the
// launcher in a 96-DPI prefix, for each window along 96 -> 120 -> 144 -> 96.
TEST_F(StressHighDpi, MovedWindowsMatchOpenedOnes) {
    KR2_NEEDS_WINE();
    const std::map<int, const Looks*> there{{120, &OpenedAt(120)}, {144, &OpenedAt(144)}};
    if (!Expect(SeePhysicalPixels(), "this thread sees physical pixels")) return;
    if (!Launch()) return;
    e2e::InsideProbe inside(main);
    ResourceCounter counter(run.Pid(), main);
    if (!Expect(inside.Ready() && counter.Ready(), "probe hooked and objects counted")) return;
    // The pointer out of the way: a button that a move brings under it
    // draws itself hot.
    e2e::MovePointer({0, 0});
    Expect(e2e::WaitFor([] { POINT at{}; return GetCursorPos(&at) && at.x == 0 && at.y == 0; }, 2000),
           "the pointer in the screen's corner");

    // One move, checked where `check`: the size answered is the one a
    // window opened there has (Wine's frame metrics for 120 and 144 DPI are
    // a prefix's at those DPIs), the window takes it and then looks as one
    // opened there.
    auto move = [&](HWND top, WindowId w, int from, int to, bool check) {
        const std::optional<e2e::ProbeReply> moved = inside.Read(top, e2e::MoveToDpi(from, to));
        if (!Expect(moved.has_value(), Name(w) + ": moved to " + std::to_string(to))) return LONG{-1};
        if (to == 96 || !check) return moved->iconsHeld;
        const Look& opened = (*there.at(to))[Index(w)];
        const std::string n = Name(w) + " moved to " + std::to_string(to);
        std::printf("dpi move: %-8s %d -> %d: answered %s, straight line %s, opened there %s\n", Name(w).c_str(),
                    from, to, Text(moved->answeredSize).c_str(), Text(moved->offeredSize).c_str(),
                    Text(opened.outer).c_str());
        Expect(moved->sizeAnswered && Same(moved->answeredSize, opened.outer),
               n + ": WM_GETDPISCALEDSIZE answered with the size opened there, " + Text(opened.outer));
        const Look look = LookOf(top, w, inside, &opened);
        Expect(Same(look.outer, opened.outer), n + ": takes the rectangle suggested; " + Text(look.outer));
        ExpectSameLook(look, opened, n);
        return moved->iconsHeld;
    };
    auto roundTrip = [&](HWND top, WindowId w, bool check) {
        move(top, w, 96, 120, check);
        move(top, w, 120, 144, check);
        return move(top, w, 144, 96, check);
    };

    for (WindowId w : kAllWindows) {
        HWND top = w == WindowId::frmMain ? main : run.Open(w);
        if (!top) continue;
        // The focus settles just after the window shows, and its rectangle
        // is part of the pixels compared.
        HWND focused = e2e::FindControl(top, Expected(w), TabCycle(Expected(w)).front());
        Expect(e2e::WaitFor([&] { return e2e::FocusOf(top) == focused; }, 2000),
               Name(w) + ": focus on its first control before the moves");
        const Look before = LookOf(top, w, inside);
        const RECT client = e2e::ClientOnScreen(top);
        const Pixels shown = Settled(client, nullptr);
        const LONG icons = roundTrip(top, w, true);
        const Look back = LookOf(top, w, inside, &before);
        ExpectSameLook(back, before, Name(w) + " back at 96");
        Expect(Same(back.outer, before.outer) && Same(back.client, before.client),
               Name(w) + ": back at 96 at its size before the moves, " + Text(before.outer));
        Expect(SamePixels(Settled(e2e::ClientOnScreen(top), &shown), shown),
               Name(w) + ": back at 96 pixel for pixel as before the moves");

        const ResourceCounts first = counter.Count();
        LONG iconsNow = icons;
        for (int trip = 0; trip < 20; ++trip) iconsNow = roundTrip(top, w, false);
        const ResourceCounts after = counter.Count();
        Expect(after.gdiObjects == first.gdiObjects && iconsNow == icons &&
                   after.topLevelWindows == first.topLevelWindows && after.childWindows == first.childWindows,
               Name(w) + ": 20 more round trips leave the objects the first left: " + Describe(first) + ", " +
                   std::to_string(icons) + " icons; then " + Describe(after) + ", " + std::to_string(iconsNow));
        // Closed after its moves, so that no window covers the main one
        // below (a window reached through another opens that one anew).
        if (w != WindowId::frmMain) CloseAndWait(run, top, w);
    }

    // Only the main window left: a window reached through another may have
    // left that one open.
    for (WindowId w : design::kSecondaryWindows)
        for (HWND top : e2e::TopLevelWindows(run.Pid(), Expected(w).caption)) CloseAndWait(run, top, w);

    // At every DPI a player can choose, the main window moved there draws
    // its picture at the artwork's size scaled to the nearest pixel, and
    // takes title-bar and taskbar icons of that DPI's sizes.
    for (int dpi : {120, 144, 168, 192, 96}) {
        const std::optional<e2e::ProbeReply> moved = inside.Read(main, e2e::MoveToDpi(96, dpi));
        const auto scaled = [dpi](int px) { return static_cast<LONG>(std::lround(px * dpi / 96.0)); };
        const std::string n = "frmMain moved to " + std::to_string(dpi);
        if (!Expect(moved.has_value(), n)) continue;
        ExpectEq(Text(moved->pictureDrawn), Text(SIZE{scaled(312), scaled(190)}), n + ": the 312x190 picture drawn");
        ExpectEq(Text(SIZE{moved->iconWidth, moved->smallIcon.cx}), Text(SIZE{scaled(32), scaled(16)}),
                 n + ": its big and small icons' widths");
        inside.Read(main, e2e::MoveToDpi(dpi, 96));
    }

    // The main window moved to 144 still takes a click where its picture
    // box now is, and Tab goes on from there in tab order.
    move(main, WindowId::frmMain, 96, 144, false);
    const e2e::ExpectedWindow& want = Expected(WindowId::frmMain);
    const int pictureIndex = e2e::ControlIndex(want, L"");
    HWND picture = e2e::FindControl(main, want, pictureIndex);
    HWND next = e2e::FindControl(main, want, e2e::NextInTabCycle(want, pictureIndex));
    if (!Expect(picture && next, "frmMain picture box and the control after it in tab order")) return;
    e2e::MouseClick(e2e::CentreOf(picture));
    Expect(e2e::WaitFor([&] { return e2e::FocusOf(main) == picture; }, 2000),
           "frmMain moved to 144: a click on the picture box gives it the focus");
    e2e::PressKey(VK_TAB);
    Expect(e2e::WaitFor([&] { return e2e::FocusOf(main) == next; }, 2000),
           "frmMain moved to 144: Tab takes the focus on to the next control in tab order");
}

// A window that the platform makes at another DPI than the system's, as
// Windows does on a second monitor, lays itself out at that DPI: the harness
// in the launcher answers GetDpiForWindow with 144 in a world at 96. Each
// window then looks as one opened where 144 is the system's DPI.
TEST_F(StressHighDpi, WindowsMadeAtAnotherDpiThanTheSystemsTakeIt) {
    KR2_NEEDS_WINE();
    const Looks& there = OpenedAt(144);
    e2e::PlanBlock handed;  // the plan the harness in the launcher follows
    handed.plan().windowDpi = 144;
    const e2e::LauncherRun::EndsFirst ends{run};
    if (!Launch(true)) return;
    e2e::InsideProbe inside(main);
    for (WindowId w : kAllWindows) {
        HWND top = w == WindowId::frmMain ? main : run.Open(w);
        if (!top) continue;
        const Look& want = there[Index(w)];
        const Look look = LookOf(top, w, inside, &want);
        // (Its frame is drawn with the world's metrics, so only the outer
        // size is comparable, as after a move.)
        Expect(Same(look.outer, want.outer),
               Name(w) + " made at 144: its size as opened there, " + Text(want.outer) + "; seen " + Text(look.outer));
        ExpectSameLook(look, want, Name(w) + " made at 144");
        if (w != WindowId::frmMain) CloseAndWait(run, top, w);
    }
}

// What a press can change: the windows open, the programs started, whether
// the launcher runs.
struct Outcome {
    std::array<std::size_t, kWindowCount> open{};
    std::size_t started = 0;
    bool running = false;
    bool operator==(const Outcome&) const = default;
};

Outcome OutcomeOf(const e2e::LauncherRun& run, const e2e::GameLayout& layout) {
    Outcome o;
    for (WindowId w : kAllWindows) o.open[Index(w)] = e2e::TopLevelWindows(run.Pid(), Expected(w).caption).size();
    o.started = layout.Log().Read().size();
    o.running = run.Running();
    return o;
}

// The innermost control under a point of the screen, if a click presses it.
HWND PressableAt(HWND top, WindowId w, POINT at) {
    HWND hit = top;
    for (HWND inner = top; inner && (hit = inner);) {
        POINT p = at;
        ScreenToClient(hit, &p);
        if ((inner = ChildWindowFromPointEx(hit, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT)) == hit) break;
    }
    const e2e::ExpectedWindow& want = Expected(w);
    for (std::size_t i = 0; i < want.controls.size(); ++i)
        if (e2e::FindControl(top, want, static_cast<int>(i)) == hit)
            return want.controls[i].kind == Kind::Button || want.controls[i].kind == Kind::Image ? hit : nullptr;
    return nullptr;
}

// A control double-clicked as a player does, and the window in front
// afterwards; `behind`: Multiplayer, with the profile window opened first.
struct DoubleClickCase {
    WindowId from;
    std::wstring_view caption;
    WindowId stands;
    bool behind;
};

void CheckDoubleClick(const DoubleClickCase& c, unsigned cueMs, const std::string& when) {
    e2e::GameLayout layout(L"stress_double_click");
    e2e::LauncherRun run(layout);
    const std::string n = "a double click on " + e2e::Describe(c.caption) + when;
    const std::size_t starts = c.behind ? 1 : 0;
    if (!run.WaitWindow(WindowId::frmMain) || (c.behind && !run.Open(c.stands))) return;
    HWND from = run.Open(c.from);
    if (!from || (c.behind && (SetForegroundWindow(from), !Expect(e2e::WaitForeground(from), n + ": in front")))) return;
    const HWND control = e2e::FindControl(from, Expected(c.from), e2e::ControlIndex(Expected(c.from), c.caption));
    if (!control) return;
    const POINT at = e2e::CentreOf(control);
    // Only the cue of the control double-clicked: a press of what the second
    // click lands on acts at once, unless it plays the same cue (the profile
    // window's start buttons behind Multiplayer).
    if (cueMs) layout.WriteCue(c.behind ? L"start.WAV" : L"click.WAV", cueMs);
    const unsigned secondCueMs = c.behind ? cueMs : 0;
    e2e::MouseDoubleClick(at);
    if (!(c.behind ? run.WaitGone(c.from, cueMs + 8000) : run.WaitWindow(c.stands, cueMs + 8000) != nullptr)) return;
    HWND stands = run.WaitWindow(c.stands);
    const auto intact = [&](const Outcome& o) { return o.running && o.started == starts && o.open[Index(c.stands)] == 1; };
    e2e::WaitFor([&] { return intact(OutcomeOf(run, layout)); }, 3000);
    // Long enough for a press of whatever the second click landed on to act.
    e2e::WaitFor([&] { return !intact(OutcomeOf(run, layout)); }, secondCueMs + 1000);
    const Outcome settled = OutcomeOf(run, layout);
    if (!Expect(intact(settled), n + ": " + Name(c.stands) + " stands (open: " + std::to_string(settled.open[Index(c.stands)]) +
                                     "), the launcher runs on (" + (settled.running ? "yes" : "no") +
                                     "), programs started: " + std::to_string(settled.started) + ", not " + std::to_string(starts))) {
    } else if (const HWND target = PressableAt(stands, c.stands, at)) {
        // The positive control: a deliberate click there, past the
        // double-click time.
        e2e::MouseClick(at);
        Expect(e2e::WaitFor([&] { return !(OutcomeOf(run, layout) == settled); }, secondCueMs + 5000),
               n + ": one click there afterwards presses " + e2e::Describe(e2e::TextOf(target)));
    } else {
        // The options and About windows have nothing a click presses under their openers.
        Expect(c.stands == WindowId::Options || c.stands == WindowId::frmAbout,
               n + ": the pointer rests on a control of " + Name(c.stands) + " that a click presses");
    }
    // A launcher that ended has started a game: its stub is awaited before
    // the folders go.
    if (!run.WaitExit(500)) run.Kill();
    else layout.Log().WaitFor(settled.started + 1, 5000);
}

// A double click on each control that opens a window, and on Multiplayer
// with the profile window behind the main window, at 96 and 144 DPI, with
// the cues and without: the second click never acts in the window that the
// first one brought up.
TEST_F(StressHighDpi, ADoubleClickPressesOnlyWhatItWasGivenOn) {
    KR2_NEEDS_WINE();
    if (!Expect(SeePhysicalPixels(), "this thread sees physical pixels")) return;
    std::vector<DoubleClickCase> cases;
    for (WindowId w : design::kSecondaryWindows)
        cases.push_back({design::Layout(w).openedBy.from, design::OpenerCaption(w), w, false});
    cases.push_back({WindowId::frmMain, L"&Start Kestrane II Multiplayer", WindowId::Games, true});
    for (int dpi : {96, 144}) {
        SystemDpiSetting setting(static_cast<DWORD>(dpi));
        for (unsigned cueMs : {1000u, 0u}) {
            const std::string when = " at " + std::to_string(dpi) + " DPI" + (cueMs ? " with the cues" : " without cues");
            for (const DoubleClickCase& c : cases) CheckDoubleClick(c, cueMs, when);
        }
    }
}

// The virtual desktop at another size while it lives, as a player's small
// screen.
class ScreenSize {
public:
    ScreenSize(DWORD width, DWORD height) {
        DEVMODEW mode{};
        mode.dmSize = sizeof mode;
        mode.dmPelsWidth = width;
        mode.dmPelsHeight = height;
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
        applied_ = ChangeDisplaySettingsW(&mode, 0) == DISP_CHANGE_SUCCESSFUL &&
                   GetSystemMetrics(SM_CXSCREEN) == static_cast<int>(width);
    }
    ~ScreenSize() { ChangeDisplaySettingsW(nullptr, 0); }
    ScreenSize(const ScreenSize&) = delete;
    ScreenSize& operator=(const ScreenSize&) = delete;
    bool Applied() const { return applied_; }

private:
    bool applied_ = false;
};

void ExpectCaptionBarIn(HWND top, WindowId w, const RECT& work, const std::string& when) {
    RECT outer{};
    GetWindowRect(top, &outer);
    POINT client{0, 0};
    ClientToScreen(top, &client);
    const RECT bar{outer.left, outer.top, outer.right, client.y};
    RECT both{};
    Expect(IntersectRect(&both, &bar, &work) && EqualRect(&both, &bar),
           Name(w) + when + ": its caption bar " + Text(bar) + " lies in the work area " + Text(work));
}

// An 800x600 screen at 144 DPI, where the main window is taller than the
// screen, then a taskbar along its top: every window opens with its caption
// bar where the player can reach it.
TEST_F(StressHighDpi, EveryCaptionBarOpensInTheWorkArea) {
    KR2_NEEDS_WINE();
    if (!Expect(SeePhysicalPixels(), "this thread sees physical pixels")) return;
    ScreenSize small(800, 600);
    SystemDpiSetting setting(144);
    if (!Expect(small.Applied() && setting.Applied(), "an 800x600 screen at 144 DPI")) return;
    const e2e::LauncherRun::EndsFirst ends{run};
    if (!Launch()) return;
    ExpectCaptionBarIn(main, WindowId::frmMain, {0, 0, 800, 600}, " on an 800x600 screen");
    e2e::InsideProbe inside(main);
    constexpr int kTaskbar = 120;
    if (!Expect(inside.Read(main, e2e::TaskbarAtTop(kTaskbar)).has_value(), "the taskbar is set")) return;
    for (WindowId w : design::kSecondaryWindows) {
        if (HWND top = run.Open(w)) {
            ExpectCaptionBarIn(top, w, {0, kTaskbar, 800, 600}, " below a taskbar");
            CloseAndWait(run, top, w);
        }
    }
    run.Kill();
}

}  // namespace
}  // namespace kr2::e2e
