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

namespace {

constexpr std::wstring_view kVerbatim = L"\\\\?\\";
constexpr std::wstring_view kUp = L"\\..";

// The parent of a "\\?\" directory: its last name taken off, but never the
// root ("\\?\C:", "\\?\UNC\server\share", "\\?\Volume{...}"). Only a root
// ends in a backslash.
std::wstring_view VerbatimParent(std::wstring_view dir) {
    std::size_t rootEnd = kVerbatim.size();
    // "UNC" in any case: the object manager's names are not case-sensitive.
    const std::wstring_view next = dir.substr(rootEnd);
    const bool share = next.size() >= 4 && (next[0] | 0x20) == L'u' &&
                       (next[1] | 0x20) == L'n' && (next[2] | 0x20) == L'c' && next[3] == L'\\';
    int names = share ? 3 : 1;
    for (; names > 0; --names) {
        const std::size_t slash = dir.find(L'\\', rootEnd);
        if (slash == std::wstring_view::npos) {
            rootEnd = dir.size();
            break;
        }
        rootEnd = slash + (names > 1 ? 1 : 0);
    }
    const std::size_t last = dir.rfind(L'\\');
    return dir.substr(0, last != std::wstring_view::npos && last > rootEnd ? last : rootEnd);
}

}  // namespace

std::wstring CuePath(std::wstring_view programDir, SoundCue cue) {
    std::wstring_view suffix = CueSuffix(cue);
    if (programDir.starts_with(kVerbatim)) {
        programDir = VerbatimParent(programDir);
        suffix.remove_prefix(kUp.size());
    }
    std::wstring path;
    path.reserve(programDir.size() + suffix.size());
    path.append(programDir).append(suffix);
    return path;
}

}  // namespace kr2
