#pragma once
// Runs one catalogue entry for a pressed button, after its cue has played.

#include "launch_types.h"
#include "ports.h"

namespace kr2 {

// The window that owns the pressed button: what CloseWindow unloads.
class OwnerWindow {
public:
    virtual void Unload() = 0;
protected:
    ~OwnerWindow() = default;
};

struct LaunchPorts {
    ProcessLauncher& launcher;
    ErrorBox& errorBox;
    ProgramEnd& end;
};

// Starts the entry's line under its error policy, drops the process id, and
// runs its follow-up. A failure that the policy does not catch goes to the
// run-time error box, after which the program ends and the follow-up does
// not run.
void RunLaunchAction(const LaunchAction& entry, OwnerWindow& window, const LaunchPorts& ports);

}  // namespace kr2
