#include "play_wave.h"

#include <string>

namespace kr2 {
namespace {

// Only the last three characters are looked at, upper-cased: ".wav", ".Wav"
// and a path ending in the bare letters "wav" all pass; a path of one or two
// characters never does.
bool EndsInWav(std::wstring_view path) {
    if (path.size() < 3) return false;
    const std::wstring_view tail = path.substr(path.size() - 3);
    constexpr std::wstring_view kWav = L"WAV";
    for (std::size_t i = 0; i < 3; ++i) {
        wchar_t c = tail[i];
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
        if (c != kWav[i]) return false;
    }
    return true;
}

}  // namespace

void PlayWave(std::wstring_view path, FileProbe& probe, WavePlayer& player) noexcept {
    try {
        if (path.empty()) return;
        if (!EndsInWav(path)) return;
        const std::wstring file(path);
        if (!probe.IsPlainFile(file)) return;
        player.PlaySync(file);
    } catch (...) {
        // A cue that cannot be played is silence, never an error.
    }
}

void PlayCue(SoundCue cue, const SoundPorts& ports) noexcept {
    try {
        PlayWave(CuePath(ports.programDir.ProgramDir(), cue), ports.probe, ports.player);
    } catch (...) {
        // Even building the path may fail (out of memory): still silence.
    }
}

}  // namespace kr2
