#include "dpi.h"

#include "owner.h"
#include "system_dll.h"

namespace kr2::dpi {
namespace {

// user32 is loaded already: the newer functions are looked up in it.
template <class Fn>
Fn User32(const char* name) noexcept {
    return SystemFunction<Fn>(GetModuleHandleW(L"user32.dll"), name);
}

using SetAwarenessContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using MetricForDpiFn = int(WINAPI*)(int, UINT);
using DialogBehaviorFn = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
using ControlBehaviorFn = BOOL(WINAPI*)(HWND, DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS,
                                        DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS);

// Looked up once, before wWinMain. Namespace-scope rather than function
// statics, which would link the thread-safe guard for nothing.
const auto getDpiForWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
const auto getDpiForSystem = User32<GetDpiForSystemFn>("GetDpiForSystem");
const auto adjustForDpi = User32<AdjustForDpiFn>("AdjustWindowRectExForDpi");
const auto metricForDpi = User32<MetricForDpiFn>("GetSystemMetricsForDpi");
const auto dialogBehavior = User32<DialogBehaviorFn>("SetDialogDpiChangeBehavior");
const auto controlBehavior = User32<ControlBehaviorFn>("SetDialogControlDpiChangeBehavior");

UINT ScreenDpi() noexcept {
    const WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

}  // namespace

void EnablePerMonitorAwareness() noexcept {
    // Fails harmlessly when the manifest already set the awareness.
    if (auto set = User32<SetAwarenessContextFn>("SetProcessDpiAwarenessContext")) {
        set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    }
}

UINT ForWindow(HWND hwnd) noexcept {
    if (getDpiForWindow && hwnd) {
        if (UINT dpi = getDpiForWindow(hwnd)) return dpi;
    }
    return ScreenDpi();
}

UINT ForSystem() noexcept {
    if (getDpiForSystem) {
        if (UINT dpi = getDpiForSystem()) return dpi;
    }
    return ScreenDpi();
}

BOOL AdjustRect(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) noexcept {
    if (adjustForDpi) return adjustForDpi(&rect, style, FALSE, exStyle, dpi);
    return AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

int SystemMetric(int index, UINT dpi) noexcept {
    if (metricForDpi) return metricForDpi(index, dpi);
    return GetSystemMetrics(index);
}

// The windows are dialogs to the platform (DefDlgProc), and in per-monitor
// v2 the dialog manager scales a dialog by itself when it moves to another
// DPI: it resizes the window by its own reckoning, moves every control and
// gives each a new font. On top of the launcher's layout from twips that
// would be a second resize, relayout and font change, so it is turned off.
void KeepDialogScalingOff(HWND window) noexcept {
    if (dialogBehavior) dialogBehavior(window, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

void KeepControlScalingOff(HWND control) noexcept {
    constexpr auto kOff = static_cast<DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS>(DCDC_DISABLE_FONT_UPDATE |
                                                                          DCDC_DISABLE_RELAYOUT);
    if (controlBehavior) controlBehavior(control, kOff, kOff);
}

}  // namespace kr2::dpi
