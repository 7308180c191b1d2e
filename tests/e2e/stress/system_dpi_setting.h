#pragma once
// The system DPI of the Wine prefix for programs started from now on.
// Wine 8 reads LogPixels from HKCU\Control Panel\Desktop first and from
// HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts
// only when the former is absent, so the HKCU value is the one set here.
// The prefix is shared by every e2e test: what was there comes back when the
// object goes.

#include <windows.h>

namespace kr2::e2e {

class SystemDpiSetting {
public:
    explicit SystemDpiSetting(DWORD dpi);
    ~SystemDpiSetting();
    SystemDpiSetting(const SystemDpiSetting&) = delete;
    SystemDpiSetting& operator=(const SystemDpiSetting&) = delete;

    bool Applied() const { return applied_; }

private:
    bool applied_ = false;
    bool hadValue_ = false;
    DWORD previous_ = 0;
};

// This thread sees the launcher's windows in physical pixels: Wine scales
// the rectangles of a per-monitor-aware window for a DPI-unaware caller.
bool SeePhysicalPixels();

}  // namespace kr2::e2e
