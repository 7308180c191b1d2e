#pragma once
// modPlayWave: the one routine that plays a cue.

#include <string_view>

#include "ports.h"
#include "sound_cue.h"

namespace kr2 {

// Plays the wave file at `path` synchronously if it passes three checks, in
// this order: the path is not empty; its last three characters, upper-cased,
// are "WAV"; the probe finds a plain file there. Any failure, including one
// thrown by the probe or the player, means silence: nothing ever reaches the
// caller.
void PlayWave(std::wstring_view path, FileProbe& probe, WavePlayer& player) noexcept;

// What a handler needs to play its cue: the cue path is rebuilt from
// ProgramDir on every call, nothing is cached.
struct SoundPorts {
    ProgramDirSource& programDir;
    FileProbe& probe;
    WavePlayer& player;
};

void PlayCue(SoundCue cue, const SoundPorts& ports) noexcept;

}  // namespace kr2
