#pragma once
// One entry of the launch catalogue and the policies that govern it.

#include <string_view>

#include "ports.h"
#include "sound_cue.h"

namespace kr2 {

// What a failed start leads to.
enum class ErrorPolicy {
    IgnoreErrors,     // dropped without a trace; the follow-up runs as after a success
    FallbackThenEnd,  // try the fallback line; if it starts, the program ends
    Unhandled,        // the run-time error box, then the end; no follow-up
};

// What runs after the start.
enum class FollowUp {
    EndProgram,   // the launcher ends at once
    CloseWindow,  // the window that owns the pressed button is unloaded
    Stay,         // nothing
};

// One immutable catalogue entry.
struct LaunchAction {
    std::string_view name;
    std::wstring_view commandLine;
    ShowState showState;
    ErrorPolicy errorPolicy;
    FollowUp followUp;
    std::wstring_view fallbackCommandLine;  // only under FallbackThenEnd
    SoundCue cue;                           // played by the button before the entry runs
};

}  // namespace kr2
