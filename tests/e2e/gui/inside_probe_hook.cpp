// Loaded into the launcher as a message hook: reads a window's font and icon
// from inside the launcher's own process. From outside, WM_GETFONT and
// WM_GETICON come back empty under Wine, and GDI handles of another process
// cannot be read anyway.

#include <windows.h>

#include "inside_probe_shared.h"

namespace {

void ReadFont(HWND hwnd, kr2::gui::ProbeReply& reply) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    reply.hasFont = font != nullptr;
    reply.fontRead = font && GetObjectW(font, sizeof reply.font, &reply.font) != 0;
}

// Measured here because the font handle and the fonts the launcher sees
// (they depend on its DPI) exist only in its process.
void MeasureText(HWND hwnd, kr2::gui::ProbeReply& reply) {
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
    ReleaseDC(hwnd, dc);
}

void ReadIcon(HWND hwnd, kr2::gui::ProbeReply& reply) {
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

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK Kr2InsideProbeHook(int code, WPARAM removed,
                                                                     LPARAM lp) {
    static const UINT query = RegisterWindowMessageW(kr2::gui::kProbeQueryMessage);
    MSG* msg = reinterpret_cast<MSG*>(lp);
    if (code == HC_ACTION && removed == PM_REMOVE && msg->message == query) {
        const DWORD driver = static_cast<DWORD>(msg->wParam);
        wchar_t name[64];
        if (HANDLE map = OpenFileMappingW(FILE_MAP_WRITE, FALSE,
                                          kr2::gui::ProbeObjectName(name, L"map", driver))) {
            if (auto* reply = static_cast<kr2::gui::ProbeReply*>(
                    MapViewOfFile(map, FILE_MAP_WRITE, 0, 0, sizeof(kr2::gui::ProbeReply)))) {
                *reply = {};
                ReadFont(msg->hwnd, *reply);
                ReadIcon(msg->hwnd, *reply);
                MeasureText(msg->hwnd, *reply);
                UnmapViewOfFile(reply);
            }
            CloseHandle(map);
        }
        if (HANDLE done = OpenEventW(EVENT_MODIFY_STATE, FALSE,
                                     kr2::gui::ProbeObjectName(name, L"done", driver))) {
            SetEvent(done);
            CloseHandle(done);
        }
        msg->message = WM_NULL;  // answered here: the launcher never sees it
    }
    return CallNextHookEx(nullptr, code, removed, lp);
}
