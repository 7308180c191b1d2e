// Loaded into the launcher as a message hook: reads a window's font and icon
// from inside the launcher's own process. From outside, WM_GETFONT and
// WM_GETICON come back empty under Wine, and GDI handles of another process
// cannot be read anyway.

#include <windows.h>

#include <algorithm>

#include <oleacc.h>

#include "fault_harness.h"
#include "inside_probe_shared.h"

namespace {

void ReadFont(HWND hwnd, kr2::e2e::ProbeReply& reply) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    reply.hasFont = font != nullptr;
    reply.fontRead = font && GetObjectW(font, sizeof reply.font, &reply.font) != 0;
}

// The dark pixels `text` leaves when drawn in black with `font` on white.
LONG Ink(HDC like, HFONT font, const wchar_t* text, int n) {
    constexpr int kWidth = 1024, kHeight = 64;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(like, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(like);
    if (!bitmap || !dc) {
        if (bitmap) DeleteObject(bitmap);
        if (dc) DeleteDC(dc);
        return -1;
    }
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 4, 4, text, n);
    GdiFlush();
    LONG ink = 0;
    const auto* pixel = static_cast<const DWORD*>(bits);
    for (int i = 0; i < kWidth * kHeight; ++i) ink += (pixel[i] & 0xFF) < 128 ? 1 : 0;
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return ink;
}

// The face the platform gave, and the caption in that face and size at the
// regular weight beside the control's own: a bold that draws no wider and
// no darker than the regular weight is not bold.
void MeasureWeight(HDC dc, HFONT font, const wchar_t* shown, int n, kr2::e2e::ProbeReply& reply) {
    LOGFONTW regular{};
    if (!font || !GetObjectW(font, sizeof regular, &regular)) return;
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    GetTextFaceW(dc, LF_FACESIZE, reply.realizedFace);
    if (GetTextMetricsW(dc, &tm)) reply.realizedWeight = tm.tmWeight;
    SelectObject(dc, old);
    regular.lfWeight = FW_NORMAL;
    lstrcpynW(regular.lfFaceName, reply.realizedFace, LF_FACESIZE);
    HFONT twin = CreateFontIndirectW(&regular);
    if (!twin) return;
    old = SelectObject(dc, twin);
    SIZE size{};
    if (GetTextExtentPoint32W(dc, shown, n, &size)) reply.regularWidth = size.cx;
    SelectObject(dc, old);
    reply.ink = Ink(dc, font, shown, n);
    reply.regularInk = Ink(dc, twin, shown, n);
    DeleteObject(twin);
}

// Measured here because the font handle and the fonts the launcher sees
// (they depend on its DPI) exist only in its process.
void MeasureText(HWND hwnd, kr2::e2e::ProbeReply& reply) {
    wchar_t text[512] = {};
    const int length = GetWindowTextW(hwnd, text, 512);
    wchar_t shown[512] = {};
    int n = 0;
    for (int i = 0; i < length; ++i) {
        if (text[i] == L'&') {
            if (i + 1 < length && text[i + 1] == L'&') shown[n++] = text[++i];  // "&&" shows one
            continue;
        }
        shown[n++] = text[i];
    }
    const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    HDC dc = GetDC(hwnd);
    if (!dc) return;
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    reply.textMeasured = GetTextExtentPoint32W(dc, shown, n, &reply.textExtent);
    SelectObject(dc, old);
    MeasureWeight(dc, font, shown, n, reply);
    ReleaseDC(hwnd, dc);
}

void ReadIcon(HWND hwnd, kr2::e2e::ProbeReply& reply) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICON));
    reply.hasIcon = icon != nullptr;
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return;
    BITMAP bm{};
    if (info.hbmColor && GetObjectW(info.hbmColor, sizeof bm, &bm)) {
        reply.iconWidth = bm.bmWidth;
        reply.iconHeight = bm.bmHeight;
        reply.iconBitsPerPixel = bm.bmBitsPixel;
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
}

SIZE SmallIconSize(HWND hwnd) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICONSM));
    ICONINFO info{};
    BITMAP bm{};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    if (!info.hbmColor || !GetObjectW(info.hbmColor, sizeof bm, &bm)) bm = {};
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return {bm.bmWidth, bm.bmHeight};
}

// The size the picture box draws its picture at: its client area printed
// into memory twice its size, filled first with a colour the artwork lacks.
SIZE PictureDrawn(HWND top) {
    HWND box = FindWindowExW(top, nullptr, L"Kr2PictureBox", nullptr);
    RECT client{};
    if (!box || !GetClientRect(box, &client)) return {};
    const LONG w = client.right * 2, h = client.bottom * 2;
    constexpr DWORD kUnpainted = 0xFF00FF;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC memory = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    SIZE drawn{-1, -1};
    if (memory && canvas) {
        auto* pixels = static_cast<DWORD*>(bits);
        std::fill(pixels, pixels + w * h, kUnpainted);
        const HGDIOBJ old = SelectObject(memory, canvas);
        SendMessageW(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        SelectObject(memory, old);
        GdiFlush();
        drawn = {0, 0};
        for (LONG y = 0; y < h; ++y)
            for (LONG x = 0; x < w; ++x)
                if ((pixels[y * w + x] & 0xFFFFFF) != kUnpainted)
                    drawn = {std::max(drawn.cx, x + 1), std::max(drawn.cy, y + 1)};
    }
    if (canvas) DeleteObject(canvas);
    if (memory) DeleteDC(memory);
    return drawn;
}

void PlatformRoundTrip(HWND hwnd) {
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(hwnd, static_cast<LONG>(OBJID_CLIENT), __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard))))
        return;
    const LRESULT marshalled = LresultFromObject(__uuidof(IAccessible), 0, standard);
    standard->Release();
    IAccessible* back = nullptr;
    if (marshalled > 0 &&
        SUCCEEDED(ObjectFromLresult(marshalled, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&back))))
        back->Release();
}

ULONGLONG HeapBytes() {
    HANDLE heaps[64];
    const DWORD n = GetProcessHeaps(64, heaps);
    ULONGLONG busy = 0;
    for (DWORD i = 0; i < n && i < 64; ++i) {
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return busy;
}

// The client area drawn by WM_PRINTCLIENT into memory beside what the screen
// shows of it: the pixels that differ, -1 when either could not be read.
LONG PrintedDiffers(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(screen);
    void* printed = nullptr;
    void* shown = nullptr;
    HBITMAP a = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &printed, nullptr, 0);
    HBITMAP b = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &shown, nullptr, 0);
    LONG differ = -1;
    if (screen && memory && a && b) {
        const HGDIOBJ old = SelectObject(memory, a);
        SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        SelectObject(memory, b);
        BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        GdiFlush();
        differ = 0;
        for (LONG i = 0; i < client.right * client.bottom; ++i)
            differ += ((static_cast<DWORD*>(printed)[i] ^ static_cast<DWORD*>(shown)[i]) & 0xFFFFFF) != 0;
    }
    if (a) DeleteObject(a);
    if (b) DeleteObject(b);
    if (memory) DeleteDC(memory);
    if (screen) ReleaseDC(hwnd, screen);
    return differ;
}

// Under Wine the client object answers only inside the launcher's process.
// __uuidof: mingw's IID_IAccessible is a data import of oleacc that reads
// as garbage here.
void ReadAccessible(HWND hwnd, kr2::e2e::ProbeReply& reply) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) ||
        !object)
        return;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    VARIANT role{};
    if (SUCCEEDED(object->get_accName(self, &name)) && name && SUCCEEDED(object->get_accRole(self, &role)) &&
        role.vt == VT_I4) {
        lstrcpynW(reply.accessibleName, name, 64);
        reply.accessibleRole = role.lVal;
        reply.accessibleRead = TRUE;
    }
    SysFreeString(name);
    VariantClear(&role);
    reply.accessibleRefsLeft = object->Release();
}

LONG artworkClicks = 0;
LONG buttonUps = 0;

// Sees what reaches the launcher's windows: a click reported by the picture
// box or the icon (STN_CLICKED, which is 0 as BN_CLICKED is), once it has
// come up to the window (the icon's frame passes it on).
LRESULT CALLBACK WatchClicks(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_COMMAND && HIWORD(sent->wParam) == STN_CLICKED && sent->lParam &&
        GetAncestor(sent->hwnd, GA_ROOT) == sent->hwnd) {
        wchar_t cls[32] = {};
        GetClassNameW(reinterpret_cast<HWND>(sent->lParam), cls, 32);
        if (lstrcmpW(cls, L"Kr2PictureBox") == 0 || lstrcmpW(cls, L"Kr2IconImage") == 0) ++artworkClicks;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The probe then stays loaded in the launcher for good: the hook must not
// outlive its code when the driver unhooks the probe.
HHOOK WatchClicksOnThisThread() {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&WatchClicks), &self);
    return SetWindowsHookExW(WH_CALLWNDPROC, WatchClicks, self, GetCurrentThreadId());
}

// Windows' move to a monitor of another DPI: the size question first, its
// answer (or the old size scaled in a straight line) as the new rectangle
// at the same place, then the change itself. GetDpiForWindow keeps the
// prefix's DPI.
// The fault harness counts the icons, failing nothing unless the launcher
// was started with a plan.
void MoveToDpi(HWND hwnd, LPARAM what, kr2::e2e::ProbeReply& reply) {
    static kr2::e2e::Plan countOnly = [] {
        kr2::e2e::Plan p{};
        p.row = p.secondRow = p.firstFailedRow = -1;
        return p;
    }();
    kr2::e2e::AttachHarness(&countOnly);
    const int from = static_cast<int>(what >> 16 & 0xFFFF);
    const int to = static_cast<int>(what >> 32 & 0xFFFF);
    RECT r{};
    GetWindowRect(hwnd, &r);
    reply.offeredSize = {MulDiv(r.right - r.left, to, from), MulDiv(r.bottom - r.top, to, from)};
    SIZE size = reply.offeredSize;
    reply.sizeAnswered = static_cast<BOOL>(SendMessageW(hwnd, WM_GETDPISCALEDSIZE, to, reinterpret_cast<LPARAM>(&size)));
    if (reply.sizeAnswered) reply.answeredSize = size;
    else size = reply.offeredSize;
    RECT suggested{r.left, r.top, r.left + size.cx, r.top + size.cy};
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    reply.iconsHeld = kr2::e2e::AttachedPlan()->iconsHeld;
    ReadIcon(hwnd, reply);
    reply.smallIcon = SmallIconSize(hwnd);
    reply.pictureDrawn = PictureDrawn(hwnd);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK Kr2InsideProbeHook(int code, WPARAM removed,
                                                                     LPARAM lp) {
    static const UINT query = RegisterWindowMessageW(kr2::e2e::kProbeQueryMessage);
    MSG* msg = reinterpret_cast<MSG*>(lp);
    if (code == HC_ACTION && removed == PM_REMOVE && msg->message == WM_LBUTTONUP) ++buttonUps;
    if (code == HC_ACTION && removed == PM_REMOVE && msg->message == query) {
        static const HHOOK watching = WatchClicksOnThisThread();
        const DWORD driver = static_cast<DWORD>(msg->wParam);
        wchar_t name[64];
        if (HANDLE map = OpenFileMappingW(FILE_MAP_WRITE, FALSE,
                                          kr2::e2e::ProbeObjectName(name, L"map", driver))) {
            if (auto* reply = static_cast<kr2::e2e::ProbeReply*>(
                    MapViewOfFile(map, FILE_MAP_WRITE, 0, 0, sizeof(kr2::e2e::ProbeReply)))) {
                *reply = {};
                reply->artworkClicks = watching ? artworkClicks : -1;
                reply->buttonUps = buttonUps;
                if (msg->lParam & kr2::e2e::kProbeMoveDpi) {
                    MoveToDpi(msg->hwnd, msg->lParam, *reply);
                } else if (msg->lParam & kr2::e2e::kProbeLoadByName) {
                    LoadLibraryW(kr2::e2e::kProbeDllByName);
                } else if (msg->lParam & kr2::e2e::kProbeTaskbar) {
                    RECT work{0, static_cast<LONG>(msg->lParam >> 16), GetSystemMetrics(SM_CXSCREEN),
                              GetSystemMetrics(SM_CYSCREEN)};
                    SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, 0);
                } else {
                    ReadFont(msg->hwnd, *reply);
                    ReadIcon(msg->hwnd, *reply);
                    MeasureText(msg->hwnd, *reply);
                }
                if (msg->lParam & kr2::e2e::kProbeAccessible) {
                    ReadAccessible(msg->hwnd, *reply);
                    reply->printedDiffers = PrintedDiffers(msg->hwnd);
                }
                if (msg->lParam & kr2::e2e::kProbePlatformRoundTrip) PlatformRoundTrip(msg->hwnd);
                reply->heapBytes = HeapBytes();
                UnmapViewOfFile(reply);
            }
            CloseHandle(map);
        }
        if (HANDLE done = OpenEventW(EVENT_MODIFY_STATE, FALSE,
                                     kr2::e2e::ProbeObjectName(name, L"done", driver))) {
            SetEvent(done);
            CloseHandle(done);
        }
        msg->message = WM_NULL;  // answered here: the launcher never sees it
    }
    return CallNextHookEx(nullptr, code, removed, lp);
}
