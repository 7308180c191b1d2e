#include "font_probe.h"

#include <string>

#include "font_probe_shared.h"

namespace kr2::gui {

FontProbe::FontProbe(HWND anyLauncherWindow) {
    wchar_t name[64];
    const DWORD self = GetCurrentProcessId();
    map_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(FontReply),
                              FontProbeName(name, L"map", self));
    done_ = CreateEventW(nullptr, FALSE, FALSE, FontProbeName(name, L"done", self));
    std::wstring dll = KR2_FONT_PROBE_DLL;
    for (wchar_t& c : dll) if (c == L'/') c = L'\\';
    dll_ = LoadLibraryW(dll.c_str());
    // Through void*: FARPROC and HOOKPROC differ in their parameters.
    void* found = dll_ ? reinterpret_cast<void*>(GetProcAddress(dll_, "Kr2FontProbeHook")) : nullptr;
    const auto proc = reinterpret_cast<HOOKPROC>(found);
    const DWORD thread = GetWindowThreadProcessId(anyLauncherWindow, nullptr);
    if (proc && map_ && done_ && thread) hook_ = SetWindowsHookExW(WH_GETMESSAGE, proc, dll_, thread);
}

FontProbe::~FontProbe() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (dll_) FreeLibrary(dll_);
    if (done_) CloseHandle(done_);
    if (map_) CloseHandle(map_);
}

std::optional<LOGFONTW> FontProbe::FontOf(HWND control) {
    if (!hook_) return std::nullopt;
    static const UINT query = RegisterWindowMessageW(kFontQueryMessage);
    ResetEvent(done_);
    PostMessageW(control, query, GetCurrentProcessId(), 0);
    if (WaitForSingleObject(done_, 5000) != WAIT_OBJECT_0) return std::nullopt;
    auto* reply = static_cast<FontReply*>(MapViewOfFile(map_, FILE_MAP_READ, 0, 0, sizeof(FontReply)));
    if (!reply) return std::nullopt;
    std::optional<LOGFONTW> font;
    if (reply->read) font = reply->font;
    UnmapViewOfFile(reply);
    return font;
}

}  // namespace kr2::gui
