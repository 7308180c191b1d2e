#pragma once
// Reads what only the launcher's own process can see of its windows (fonts,
// the window icon) through a message hook that runs inside the launcher
// (inside_probe_hook.cpp, built as kr2_gui_inside_probe.dll).

#include <windows.h>

#include <optional>
#include <string>

#include "inside_probe_shared.h"

namespace kr2::e2e {

// The probe's DLL (kr2_gui_inside_probe.dll), as Windows names it.
std::wstring InsideProbeDll();

class InsideProbe {
public:
    // Hooks the user-interface thread that owns `anyLauncherWindow`.
    explicit InsideProbe(HWND anyLauncherWindow);
    ~InsideProbe();
    InsideProbe(const InsideProbe&) = delete;
    InsideProbe& operator=(const InsideProbe&) = delete;

    bool Ready() const { return hook_ != nullptr; }
    // What the hook read of `hwnd`; nothing when the launcher did not answer.
    // `asked` adds the kProbe... flags: kProbeAccessible also reads its name
    // and role (which loads the platform's accessibility library into the
    // launcher); MoveToDpi moves the window instead of reading it, and
    // TaskbarAtTop sets the launcher's work area.
    std::optional<ProbeReply> Read(HWND hwnd, LPARAM asked = 0);

private:
    HMODULE dll_ = nullptr;
    HHOOK hook_ = nullptr;
    HANDLE map_ = nullptr;
    HANDLE done_ = nullptr;
};

}  // namespace kr2::e2e
