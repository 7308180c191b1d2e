#include "sound_cue.h"

namespace kr2 {

std::wstring_view CueSuffix(SoundCue cue) noexcept {
    switch (cue) {
        case SoundCue::Open: return L"\\..\\Install\\open.WAV";
        case SoundCue::Click: return L"\\..\\Install\\click.WAV";
        case SoundCue::Start: return L"\\..\\Install\\start.WAV";
        case SoundCue::Back: return L"\\..\\Install\\back.WAV";
    }
    return {};
}

std::wstring CuePath(std::wstring_view programDir, SoundCue cue) {
    const std::wstring_view suffix = CueSuffix(cue);
    std::wstring path;
    path.reserve(programDir.size() + suffix.size());
    path.append(programDir).append(suffix);
    return path;
}

}  // namespace kr2
