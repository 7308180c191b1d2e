#include "system_dpi_setting.h"

namespace kr2::e2e {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";

}  // namespace

SystemDpiSetting::SystemDpiSetting(DWORD dpi) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    DWORD type = 0, size = sizeof previous_;
    hadValue_ = RegQueryValueExW(key, kLogPixels, nullptr, &type, reinterpret_cast<BYTE*>(&previous_), &size) ==
                    ERROR_SUCCESS &&
                type == REG_DWORD;
    applied_ = RegSetValueExW(key, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) ==
               ERROR_SUCCESS;
    RegCloseKey(key);
}

SystemDpiSetting::~SystemDpiSetting() {
    if (!applied_) return;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    if (hadValue_)
        RegSetValueExW(key, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_), sizeof previous_);
    else
        RegDeleteValueW(key, kLogPixels);
    RegCloseKey(key);
}

bool SeePhysicalPixels() {
    using SetThreadContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto set = reinterpret_cast<SetThreadContextFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
    // Wine 8 knows only the first per-monitor awareness.
    return set && (set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) != nullptr ||
                   set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE) != nullptr);
}

}  // namespace kr2::e2e
