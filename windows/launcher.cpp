#include "launcher.h"

#include <cstddef>

namespace kr2 {

Launcher::Launcher(const LauncherPorts& ports)
    : ports_(ports),
      registry_(ports.screen, ports.end),
      ctx_{registry_,
           SoundPorts{ports.programDir, ports.probe, ports.player},
           LaunchPorts{ports.launcher, ports.errorBox, ports.end}} {
    registry_.SetHandlerContext(&ctx_);
}

void Launcher::Start() { registry_.Show(WindowId::frmMain); }

void Launcher::OnClick(WindowId id, int controlIndex) {
    // A click can still arrive for a window that has just gone, or for a
    // control the table does not have: both are dropped.
    if (registry_.StateOf(id) != WindowRegistry::State::Loaded) return;
    const auto controls = DescriptionOf(id).controls;
    if (controlIndex < 0 || static_cast<std::size_t>(controlIndex) >= controls.size()) return;
    const ControlSpec& control = controls[static_cast<std::size_t>(controlIndex)];
    if (control.onClick == nullptr) return;

    // Handlers run one at a time. A modal box inside one (the run-time error
    // box) pumps messages, and a click that reaches a launcher window then is
    // dropped: while the box is up the windows do not respond.
    if (handlerDepth_ > 0) return;

    // A close request may still be handled inside this handler; only the
    // outermost one decides about the end.
    ++handlerDepth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{handlerDepth_};
    control.onClick(ctx_, id, control.arg);
    if (handlerDepth_ == 1) EndIfNoWindowLeft();
}

void Launcher::OnCloseRequest(WindowId id) {
    if (!registry_.IsLoaded(id)) return;
    registry_.Unload(id);
    if (handlerDepth_ == 0) EndIfNoWindowLeft();
}

void Launcher::EndIfNoWindowLeft() {
    if (!registry_.AnyLoaded()) ports_.screen.LeaveMessageLoop();
}

}  // namespace kr2
