#pragma once
// The four interface sounds and where each one is found.

#include <string>
#include <string_view>

namespace kr2 {

enum class SoundCue { Open, Click, Start, Back };

// The literal that follows ProgramDir in the cue's path, e.g. "\..\Install\click.WAV".
std::wstring_view CueSuffix(SoundCue cue) noexcept;

// ProgramDir immediately followed by the cue's suffix. Nothing is added,
// removed or normalised: a drive root "D:\" gives "D:\\..\Install\click.WAV",
// and ".." is left for the file system to resolve. Only a "\\?\" path,
// which reaches the file system as written and where ".." is a name, has
// the parent written out instead: "\\?\C:\Kr2\Game" gives
// "\\?\C:\Kr2\Install\click.WAV", and the root of a drive or share stands
// for its own parent, as it does in any other path.
std::wstring CuePath(std::wstring_view programDir, SoundCue cue);

}  // namespace kr2
