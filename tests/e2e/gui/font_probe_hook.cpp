// Loaded into the launcher as a message hook: reads the font of a control
// from inside the launcher's own process, since neither WM_GETFONT nor the
// font handle it returns can be read from outside.

#include <windows.h>

#include <cwchar>

#include "font_probe_shared.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK Kr2FontProbeHook(int code, WPARAM removed,
                                                                   LPARAM lp) {
    static const UINT query = RegisterWindowMessageW(kr2::gui::kFontQueryMessage);
    MSG* msg = reinterpret_cast<MSG*>(lp);
    if (code == HC_ACTION && removed == PM_REMOVE && msg->message == query) {
        const DWORD driver = static_cast<DWORD>(msg->wParam);
        wchar_t name[64];
        if (HANDLE map = OpenFileMappingW(FILE_MAP_WRITE, FALSE,
                                          kr2::gui::FontProbeName(name, L"map", driver))) {
            if (auto* reply = static_cast<kr2::gui::FontReply*>(
                    MapViewOfFile(map, FILE_MAP_WRITE, 0, 0, sizeof(kr2::gui::FontReply)))) {
                *reply = {};
                const auto font = reinterpret_cast<HFONT>(SendMessageW(msg->hwnd, WM_GETFONT, 0, 0));
                reply->hasFont = font != nullptr;
                reply->read = font && GetObjectW(font, sizeof reply->font, &reply->font) != 0;
                UnmapViewOfFile(reply);
            }
            CloseHandle(map);
        }
        if (HANDLE done = OpenEventW(EVENT_MODIFY_STATE, FALSE,
                                     kr2::gui::FontProbeName(name, L"done", driver))) {
            SetEvent(done);
            CloseHandle(done);
        }
        msg->message = WM_NULL;  // answered here: the launcher never sees it
    }
    return CallNextHookEx(nullptr, code, removed, lp);
}
