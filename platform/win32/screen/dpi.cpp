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

// Looked up once, before wWinMain. Namespace-scope rather than function
// statics, which would link the thread-safe guard for nothing.
const auto getDpiForWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
const auto getDpiForSystem = User32<GetDpiForSystemFn>("GetDpiForSystem");
const auto adjustForDpi = User32<AdjustForDpiFn>("AdjustWindowRectExForDpi");
const auto metricForDpi = User32<MetricForDpiFn>("GetSystemMetricsForDpi");

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

}  // namespace kr2::dpi
