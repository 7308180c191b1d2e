#include "inside_probe.h"

#include <string>

namespace kr2::e2e {

std::wstring InsideProbeDll() {
    std::wstring dll = KR2_INSIDE_PROBE_DLL;
    for (wchar_t& c : dll) if (c == L'/') c = L'\\';
    return dll;
}

InsideProbe::InsideProbe(HWND anyLauncherWindow) {
    wchar_t name[64];
    const DWORD self = GetCurrentProcessId();
    map_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeReply),
                              ProbeObjectName(name, L"map", self));
    done_ = CreateEventW(nullptr, FALSE, FALSE, ProbeObjectName(name, L"done", self));
    dll_ = LoadLibraryW(InsideProbeDll().c_str());
    // Through void*: FARPROC and HOOKPROC differ in their parameters.
    void* found = dll_ ? reinterpret_cast<void*>(GetProcAddress(dll_, "Kr2InsideProbeHook")) : nullptr;
    const auto proc = reinterpret_cast<HOOKPROC>(found);
    const DWORD thread = GetWindowThreadProcessId(anyLauncherWindow, nullptr);
    if (proc && map_ && done_ && thread) hook_ = SetWindowsHookExW(WH_GETMESSAGE, proc, dll_, thread);
}

InsideProbe::~InsideProbe() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (dll_) FreeLibrary(dll_);
    if (done_) CloseHandle(done_);
    if (map_) CloseHandle(map_);
}

std::optional<ProbeReply> InsideProbe::Read(HWND hwnd, LPARAM asked) {
    if (!hook_) return std::nullopt;
    static const UINT query = RegisterWindowMessageW(kProbeQueryMessage);
    ResetEvent(done_);
    PostMessageW(hwnd, query, GetCurrentProcessId(), asked);
    if (WaitForSingleObject(done_, 5000) != WAIT_OBJECT_0) return std::nullopt;
    auto* view = static_cast<ProbeReply*>(MapViewOfFile(map_, FILE_MAP_READ, 0, 0, sizeof(ProbeReply)));
    if (!view) return std::nullopt;
    const ProbeReply reply = *view;
    UnmapViewOfFile(view);
    return reply;
}

}  // namespace kr2::e2e
