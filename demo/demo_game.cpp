// A stand-in for the game's kr2sp.exe and kr2mp.exe in the demo layout:
// a window that shows the command line it was started with, the show state
// asked for and the working directory, so a launch can be checked by eye.

#include <windows.h>

#include <string>

namespace {

const wchar_t* ShowStateName(WORD state) {
    switch (state) {
        case SW_SHOWNORMAL: return L"SW_SHOWNORMAL (1)";
        case SW_SHOWMINIMIZED: return L"SW_SHOWMINIMIZED (2)";
        default: return L"other";
    }
}

std::wstring Report() {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    GetStartupInfoW(&si);
    wchar_t dir[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, dir);
    std::wstring text = L"Command line:\r\n[";
    text += GetCommandLineW();
    text += L"]\r\n\r\nShow state asked for: ";
    text += (si.dwFlags & STARTF_USESHOWWINDOW) ? ShowStateName(si.wShowWindow) : L"none";
    text += L"\r\n\r\nWorking directory:\r\n";
    text += dir;
    return text;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: {
            const std::wstring text = Report();
            HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text.c_str(),
                                        WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_VSCROLL,
                                        8, 8, 464, 184, hwnd, nullptr, nullptr, nullptr);
            SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"Kr2DemoGame";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Kestrane II (demo stand-in)",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                CW_USEDEFAULT, 496, 240, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    // The launcher asks for a minimised game; the demo still wants to be
    // seen, so it honours the request and then restores itself.
    ShowWindow(hwnd, show);
    ShowWindow(hwnd, SW_RESTORE);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
