// The bare platform side of the bench: one empty window with the launcher
// main window's frame (fixed single border, caption, minimise box), client
// size and caption, centred and shown at once.
// With the argument "button" it also carries the multiplayer button, whose
// click starts the multiplayer line with a bare CreateProcessW and closes the
// window: the press path of the launcher with nothing of its own in it.
// Built three times: plain; with comctl32 imported and initialised
// (KR2_BENCH_COMMON_CONTROLS); and with that and the launcher's manifest
// (Common Controls 6, DPI awareness) as well.

#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "launch_catalogue.h"

namespace {

constexpr int kClientWidth = 321;
constexpr int kClientHeight = 404;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kButtonId = 106;

void StartMultiplayer() {
    for (const auto& entry : kr2::kLaunchCatalogue) {
        if (entry.name != "MultiplayerStart") continue;
        // CreateProcessW may write into the line; a fixed buffer keeps the
        // C++ library out of this program.
        wchar_t line[128]{};
        if (entry.commandLine.size() >= 128) return;
        entry.commandLine.copy(line, entry.commandLine.size());
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = static_cast<WORD>(entry.showState);
        PROCESS_INFORMATION pi{};
        if (CreateProcessW(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &si, &pi)) {
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
    }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) {
            StartMultiplayer();
            DestroyWindow(hwnd);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) {
#ifdef KR2_BENCH_COMMON_CONTROLS
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
#endif
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"kr2_bench_baseline";
    if (!RegisterClassExW(&wc)) return 1;

    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Kestrane II Launcher", kStyle, x, y,
                                width, height, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    if (args && std::strstr(args, "button")) {
        CreateWindowExW(0, L"BUTTON", L"&Start Kestrane II Multiplayer",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 3, 240, 313, 33, hwnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)), instance, nullptr);
    }
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
