// The floor of the launcher's start-up: a bare program that shows the same
// main window kr2_s1.exe shows and does nothing else. Same caption, frame
// and client size at the window's DPI, centred; the same eight controls at
// the same rectangles in the same (tab) order: the picture box, sunken,
// showing the picture expanded from the same packed resource by the same
// decoder, and seven bold "MS Sans Serif" push buttons; the program icon,
// big and small at the window's DPI. Built with the launcher's own resource
// script, so the manifest (Common Controls 6, per-monitor DPI), icon and
// picture are byte for byte the launcher's. No registry, no cues, no launch
// catalogue, no window table.
//   same_window.exe [icons=message|class|shared|scaledown|none] [stamp]
//   same_window.exe cycles=N
// icons= picks how the window gets its icons (default: class icons, as the
// launcher gives them), so the bench can time the ways side by side in the
// one window they serve. With "stamp" the program writes two counter
// readings, at WinMain's start and once ShowWindow has returned, to the file
// KR2_BENCH_STAMP names: the window's own cost without the process start
// around it. With cycles=N it shows and closes the window N times in each
// way inside this one process, and prints the times.

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "layout.h"
#include "picture_resource.h"
#include "resource.h"
#include "summary.h"

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kClientWidthTwips = 4815;
constexpr int kClientHeightTwips = 6060;

// The main window's controls in creation (tab) order: left, top, width,
// height in twips; an empty caption is the picture box.
struct Control {
    const wchar_t* caption;
    short left, top, width, height;
};
constexpr Control kControls[] = {
    {L"&Start Kestrane II Single Player", 50, 3000, 4695, 615},
    {L"E&xit to Windows", 50, 5640, 4695, 375},
    {L"&Readme", 50, 4200, 4695, 375},
    {L"&Home Page", 50, 5280, 4695, 375},
    {L"&About", 50, 4920, 4695, 375},
    {L"", 50, 50, 4740, 2895},
    {L"&Start Kestrane II Multiplayer", 50, 3600, 4695, 495},
    {L"&Options", 50, 4560, 4695, 375},
};

enum class IconWay { Message, Class, Shared, ScaleDown, None };

IconWay IconWayOf(const char* args) {
    const char* at = args ? std::strstr(args, "icons=") : nullptr;
    if (!at) return IconWay::Class;
    at += 6;
    if (!std::strncmp(at, "message", 7)) return IconWay::Message;
    if (!std::strncmp(at, "shared", 6)) return IconWay::Shared;
    if (!std::strncmp(at, "scaledown", 9)) return IconWay::ScaleDown;
    if (!std::strncmp(at, "none", 4)) return IconWay::None;
    return IconWay::Class;
}

HICON LoadIconAt(HINSTANCE instance, int size, IconWay way) {
    if (way == IconWay::ScaleDown) {
        // comctl32's: scaled from the next larger image rather than stretched.
        // mingw's import library lacks it: looked up in the comctl32 the
        // manifest chose.
        using Fn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
        const auto load = reinterpret_cast<Fn>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "LoadIconWithScaleDown")));
        HICON icon = nullptr;
        if (load) load(instance, MAKEINTRESOURCEW(IDI_PROGRAM), size, size, &icon);
        return icon;
    }
    const UINT flags = way == IconWay::Shared ? LR_DEFAULTCOLOR | LR_SHARED : LR_DEFAULTCOLOR;
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, size, size, flags));
}

// The picture box: the bitmap at its size times the DPI's scale.
LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(
                                       reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    if (msg != WM_PAINT) return DefWindowProcW(hwnd, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrW(hwnd, 0));
    BITMAP bm{};
    if (dc && bitmap && GetObjectW(bitmap, sizeof bm, &bm)) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, bitmap);
        const int dpi = static_cast<int>(GetDpiForWindow(hwnd));
        if (dpi == 96) {
            BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(dc, HALFTONE);
            StretchBlt(dc, 0, 0, MulDiv(bm.bmWidth, dpi, 96), MulDiv(bm.bmHeight, dpi, 96), source, 0,
                       0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        }
        SelectObject(source, old);
        DeleteDC(source);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The two readings, as decimal numbers on one line.
void WriteStamps(LARGE_INTEGER entry, LARGE_INTEGER shown) {
    wchar_t path[MAX_PATH];
    const DWORD len = GetEnvironmentVariableW(L"KR2_BENCH_STAMP", path, MAX_PATH);
    if (len == 0 || len >= MAX_PATH) return;
    char line[64];
    const int n = wsprintfA(line, "%I64d %I64d\n", entry.QuadPart, shown.QuadPart);
    HANDLE file =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(n), &written, nullptr);
    CloseHandle(file);
}

// What one showing of the window made, to be undone by Close.
struct Shown {
    HWND hwnd = nullptr;
    HWND first = nullptr;
    HBITMAP picture = nullptr;
    HFONT bold = nullptr;
    HICON icons[4]{};  // the class's and the window's own, whichever were loaded
    bool sharedIcons = false;
};

constexpr wchar_t kWindowClass[] = L"kr2_bench_same_window";
constexpr wchar_t kPictureClass[] = L"kr2_bench_picture";

// Registers the classes, makes the window with its controls and shows it.
bool Show(HINSTANCE instance, IconWay icons, Shown& out) {
    const UINT systemDpi = GetDpiForSystem();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    if (icons == IconWay::Class) {
        wc.hIcon = out.icons[0] =
            LoadIconAt(instance, GetSystemMetricsForDpi(SM_CXICON, systemDpi), icons);
        wc.hIconSm = out.icons[1] =
            LoadIconAt(instance, GetSystemMetricsForDpi(SM_CXSMICON, systemDpi), icons);
    }
    WNDCLASSEXW pc = wc;
    pc.lpfnWndProc = PictureProc;
    pc.cbWndExtra = sizeof(LONG_PTR);
    pc.hIcon = pc.hIconSm = nullptr;
    pc.lpszClassName = kPictureClass;
    if (!RegisterClassExW(&wc) || !RegisterClassExW(&pc)) return false;

    RECT frame{0, 0, kr2::TwipsToPixels(kClientWidthTwips, static_cast<int>(systemDpi)),
               kr2::TwipsToPixels(kClientHeightTwips, static_cast<int>(systemDpi))};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, systemDpi);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    HWND hwnd = out.hwnd = CreateWindowExW(
        0, kWindowClass, L"Kestrane II Launcher", kStyle, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
        (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return false;
    const int dpi = static_cast<int>(GetDpiForWindow(hwnd));

    out.picture = kr2::LoadPackedPicture(instance, IDB_PICTURE);
    out.bold = CreateFontW(-kr2::FontPixelHeight(dpi), 0, 0, 0, kr2::kWeightBold, FALSE, FALSE, FALSE,
                           ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
    if (!out.picture || !out.bold) return false;
    // The class icons are made for the system DPI; a window that starts at
    // another one is given its own.
    const bool classIconsFit = icons == IconWay::Class && dpi == static_cast<int>(systemDpi);
    if (icons != IconWay::None && !classIconsFit) {
        HICON big = out.icons[2] = LoadIconAt(instance, GetSystemMetricsForDpi(SM_CXICON, dpi), icons);
        HICON small = out.icons[3] =
            LoadIconAt(instance, GetSystemMetricsForDpi(SM_CXSMICON, dpi), icons);
        out.sharedIcons = icons == IconWay::Shared;
        SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }

    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
    for (const Control& c : kControls) {
        const bool isPicture = !*c.caption;
        HWND control = CreateWindowExW(
            isPicture ? WS_EX_CLIENTEDGE : 0, isPicture ? kPictureClass : L"BUTTON", c.caption,
            isPicture ? kChild : kChild | BS_PUSHBUTTON | BS_NOTIFY, kr2::TwipsToPixels(c.left, dpi),
            kr2::TwipsToPixels(c.top, dpi), kr2::TwipsToPixels(c.width, dpi),
            kr2::TwipsToPixels(c.height, dpi), hwnd, nullptr, instance, isPicture ? out.picture : nullptr);
        if (!control) return false;
        if (!isPicture) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(out.bold), FALSE);
        if (!out.first) out.first = control;
    }
    ShowWindow(hwnd, SW_SHOW);
    return true;
}

// Undoes Show, classes included, so that the next Show pays all of it again.
void Close(HINSTANCE instance, Shown& shown) {
    if (shown.hwnd) DestroyWindow(shown.hwnd);
    UnregisterClassW(kWindowClass, instance);
    UnregisterClassW(kPictureClass, instance);
    if (shown.picture) DeleteObject(shown.picture);
    if (shown.bold) DeleteObject(shown.bold);
    // Icons loaded LR_SHARED belong to the system.
    for (HICON icon : shown.icons)
        if (icon && !shown.sharedIcons) DestroyIcon(icon);
    shown = Shown{};
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

void Print(const char* text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(std::strlen(text)), &written,
              nullptr);
}

// The window shown and closed again `rounds` times in each way of giving it
// its icons, the ways taking turns within a round (the first one rotating):
// inside one process the start of the process, the same for every way, is
// left out, and a change of the machine's load reaches all ways alike.
int Cycles(HINSTANCE instance, int rounds) {
    constexpr IconWay kWays[] = {IconWay::Message, IconWay::Class, IconWay::Shared, IconWay::ScaleDown,
                                 IconWay::None};
    constexpr const char* kNames[] = {"WM_SETICON, LoadImageW", "class icons, LoadImageW",
                                      "WM_SETICON, LoadImageW LR_SHARED",
                                      "WM_SETICON, LoadIconWithScaleDown", "no icons"};
    constexpr int kCount = 5;
    std::vector<double> ms[kCount];
    for (int round = -1; round < rounds; ++round) {
        for (int i = 0; i < kCount; ++i) {
            const int way = (i + round + kCount) % kCount;
            Shown shown;
            LARGE_INTEGER t0, t1;
            QueryPerformanceCounter(&t0);
            const bool ok = Show(instance, kWays[way], shown);
            QueryPerformanceCounter(&t1);
            // Let the window settle (first paint, the X server's replies)
            // before it goes, and let its going settle before the next.
            MSG msg;
            for (int settle = 0; settle < 2; ++settle) {
                const DWORD until = GetTickCount() + 30;
                while (GetTickCount() < until) {
                    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
                    Sleep(1);
                }
                if (settle == 0) Close(instance, shown);
            }
            if (!ok) return 1;
            if (round >= 0) ms[way].push_back(Milliseconds(t0, t1));
        }
    }
    char line[200];
    wsprintfA(line,
              "icons, in one process: the window made and shown, %d rounds\n"
              "  (us: median [min]; per round: ratio and difference against %s)\n",
              rounds, kNames[0]);
    Print(line);
    for (int w = 0; w < kCount; ++w) {
        std::vector<double> ratio, difference;
        for (int r = 0; r < rounds; ++r) {
            ratio.push_back(ms[w][r] / ms[0][r]);
            difference.push_back(ms[w][r] - ms[0][r]);
        }
        const kr2::bench::Summary s = kr2::bench::Summarise(ms[w]);
        const kr2::bench::Summary q = kr2::bench::Summarise(ratio);
        const kr2::bench::Summary d = kr2::bench::Summarise(difference);
        // wsprintf has no floating point: microseconds and thousandths.
        wsprintfA(line, "  %-34s %6d  [%d]  per round %d.%03d, %d us\n", kNames[w],
                  static_cast<int>(s.median * 1000), static_cast<int>(s.min * 1000),
                  static_cast<int>(q.median), static_cast<int>(q.median * 1000) % 1000,
                  static_cast<int>(d.median * 1000));
        Print(line);
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) {
    LARGE_INTEGER entry;
    QueryPerformanceCounter(&entry);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (const char* cycles = args ? std::strstr(args, "cycles=") : nullptr)
        return Cycles(instance, std::atoi(cycles + 7));

    Shown shown;
    if (!Show(instance, IconWayOf(args), shown)) return 1;
    if (args && std::strstr(args, "stamp")) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        WriteStamps(entry, now);
    }
    SetForegroundWindow(shown.hwnd);
    SetFocus(shown.first);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(shown.hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
