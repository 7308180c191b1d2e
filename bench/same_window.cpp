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
// icons= picks how the window gets its icons (default: class icons, as the
// launcher gives them), so the bench can time the ways side by side in the
// one window they serve. With "stamp" the program writes two counter
// readings, at WinMain's start and once ShowWindow has returned, to the file
// KR2_BENCH_STAMP names: the window's own cost without the process start
// around it.

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <span>
#include <vector>

#include "layout.h"
#include "packed_bitmap.h"
#include "resource.h"

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

// The picture: resource, unpack, a DIB section, as a program that stores
// its picture packed has to.
HBITMAP LoadPicture(HINSTANCE instance) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDB_PICTURE), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return nullptr;
    std::vector<std::uint8_t> bmp;
    kr2::DibParts parts;
    if (!kr2::UnpackBitmapFile({static_cast<const std::uint8_t*>(data), SizeofResource(instance, found)},
                               bmp) ||
        !kr2::FindDibParts(bmp, parts))
        return nullptr;
    BITMAPINFO info{};
    std::memcpy(&info.bmiHeader, parts.infoHeader, sizeof info.bmiHeader);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) std::memcpy(bits, parts.pixels, parts.pixelBytes);
    return bitmap;
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
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(n), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) {
    LARGE_INTEGER entry;
    QueryPerformanceCounter(&entry);
    const IconWay icons = IconWayOf(args);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    const UINT systemDpi = GetDpiForSystem();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"kr2_bench_same_window";
    if (icons == IconWay::Class) {
        wc.hIcon = LoadIconAt(instance, GetSystemMetricsForDpi(SM_CXICON, systemDpi), icons);
        wc.hIconSm = LoadIconAt(instance, GetSystemMetricsForDpi(SM_CXSMICON, systemDpi), icons);
    }
    WNDCLASSEXW pc = wc;
    pc.lpfnWndProc = PictureProc;
    pc.cbWndExtra = sizeof(LONG_PTR);
    pc.hIcon = pc.hIconSm = nullptr;
    pc.lpszClassName = L"kr2_bench_picture";
    if (!RegisterClassExW(&wc) || !RegisterClassExW(&pc)) return 1;

    RECT frame{0, 0, kr2::TwipsToPixels(kClientWidthTwips, static_cast<int>(systemDpi)),
               kr2::TwipsToPixels(kClientHeightTwips, static_cast<int>(systemDpi))};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, systemDpi);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Kestrane II Launcher", kStyle,
                                (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
                                nullptr, instance, nullptr);
    if (!hwnd) return 1;
    const int dpi = static_cast<int>(GetDpiForWindow(hwnd));

    HBITMAP picture = LoadPicture(instance);
    HFONT bold = CreateFontW(-kr2::FontPixelHeight(dpi), 0, 0, 0, kr2::kWeightBold, FALSE, FALSE, FALSE,
                             ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
    if (!picture || !bold) return 1;
    // The class icons are made for the system DPI; a window that starts at
    // another one is given its own.
    const bool classIconsFit = icons == IconWay::Class && dpi == static_cast<int>(systemDpi);
    if (icons != IconWay::None && !classIconsFit) {
        HICON big = LoadIconAt(instance, GetSystemMetricsForDpi(SM_CXICON, dpi), icons);
        HICON small = LoadIconAt(instance, GetSystemMetricsForDpi(SM_CXSMICON, dpi), icons);
        SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }

    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
    HWND first = nullptr;
    for (const Control& c : kControls) {
        const bool isPicture = !*c.caption;
        HWND control = CreateWindowExW(
            isPicture ? WS_EX_CLIENTEDGE : 0, isPicture ? pc.lpszClassName : L"BUTTON", c.caption,
            isPicture ? kChild : kChild | BS_PUSHBUTTON | BS_NOTIFY, kr2::TwipsToPixels(c.left, dpi),
            kr2::TwipsToPixels(c.top, dpi), kr2::TwipsToPixels(c.width, dpi),
            kr2::TwipsToPixels(c.height, dpi), hwnd, nullptr, instance, isPicture ? picture : nullptr);
        if (!control) return 1;
        if (!isPicture) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(bold), FALSE);
        if (!first) first = control;
    }

    ShowWindow(hwnd, SW_SHOW);
    if (args && std::strstr(args, "stamp")) {
        LARGE_INTEGER shown;
        QueryPerformanceCounter(&shown);
        WriteStamps(entry, shown);
    }
    SetForegroundWindow(hwnd);
    SetFocus(first);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
