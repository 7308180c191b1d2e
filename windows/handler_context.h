#pragma once
// What every handler reaches: the registry, the cue player and the launcher.

#include "play_wave.h"
#include "run_launch_action.h"

namespace kr2 {

class WindowRegistry;

struct HandlerContext {
    WindowRegistry& registry;
    SoundPorts sound;
    LaunchPorts launch;
};

}  // namespace kr2
