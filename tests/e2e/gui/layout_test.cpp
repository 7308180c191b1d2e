// Every window as a player sees it, all checked in one launcher run.

#include "expect.h"
#include "launcher_run.h"
#include "window_checks.h"

namespace kr2::e2e {
namespace {

using GuiLayout = LauncherTest;

TEST_F(GuiLayout, WindowsLookAsDesigned) {
    // Every figure below is for 96 DPI, the bench's desktop.
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (!ExpectEq(dpi, 96, "the desktop runs at 96 DPI")) return;

    if (!Launch()) return;
    InsideProbe inside(main);
    Expect(inside.Ready(), "probe hooked into the launcher's thread");

    CheckWindowLooks(main, WindowId::frmMain, inside);
    // Every other window, the way a player opens it; the level window
    // replaces the options window it is opened from.
    for (WindowId w : design::kSecondaryWindows) {
        HWND top = run.Open(w);
        if (top) CheckWindowLooks(top, w, inside);
        const design::Way way = design::Layout(w).openedBy;
        if (way.closesFrom)
            Expect(run.WaitGone(way.from), Name(way.from) + " closed by " + e2e::Describe(design::OpenerCaption(w)));
    }
    Expect(run.Running(), "launcher still running with its windows open");
}

}  // namespace
}  // namespace kr2::e2e
