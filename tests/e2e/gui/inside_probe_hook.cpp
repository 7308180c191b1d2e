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
