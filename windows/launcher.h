#pragma once
// Start-up and program lifetime: the events the platform delivers, and when
// the program ends.

#include "handler_context.h"
#include "screen.h"
#include "window_registry.h"

namespace kr2 {

struct LauncherPorts {
    Screen& screen;
    ProgramDirSource& programDir;
    FileProbe& probe;
    WavePlayer& player;
    ProcessLauncher& launcher;
    ErrorBox& errorBox;
    ProgramEnd& end;
};

class Launcher {
public:
    explicit Launcher(const LauncherPorts& ports);
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    // Loads frmMain (its load handler plays "open"), then shows it.
    void Start();
    // A click on control `controlIndex` of window `id`: runs its handler to the
    // end, then ends the program if no window is loaded any more.
    void OnClick(WindowId id, int controlIndex);
    // The close box, the system menu's Close or Alt+F4: Unload without a cue
    // or any handler, then the same check.
    void OnCloseRequest(WindowId id);

    const WindowRegistry& Registry() const { return registry_; }

private:
    void EndIfNoWindowLeft();

    LauncherPorts ports_;
    WindowRegistry registry_;
    HandlerContext ctx_;
    int handlerDepth_ = 0;
};

}  // namespace kr2
