#pragma once
// Reads the LOGFONT of a launcher control through a message hook that runs
// inside the launcher (font_probe_hook.cpp, built as kr2_gui_font_probe.dll).

#include <windows.h>

#include <optional>

namespace kr2::gui {

class FontProbe {
public:
    // Hooks the user-interface thread that owns `anyLauncherWindow`.
    explicit FontProbe(HWND anyLauncherWindow);
    ~FontProbe();
    FontProbe(const FontProbe&) = delete;
    FontProbe& operator=(const FontProbe&) = delete;

    bool Ready() const { return hook_ != nullptr; }
    // The control's font; nothing when it has none or the launcher did not answer.
    std::optional<LOGFONTW> FontOf(HWND control);

private:
    HMODULE dll_ = nullptr;
    HHOOK hook_ = nullptr;
    HANDLE map_ = nullptr;
    HANDLE done_ = nullptr;
};

}  // namespace kr2::gui
