#pragma once
// Modes in which a copy of the launch test program runs one port and
// reports through a file: for what cannot be watched from inside.

namespace kr2::e2e {
inline constexpr wchar_t kThisExeName[] = L"kr2_e2e_launch.exe";
// <mode> <file>: writes ProgramDir as UTF-8 to <file>.
inline constexpr wchar_t kModeProgramDir[] = L"--program-dir";
// <mode> <file>: arms handlers that would write <file>, then ends the program.
inline constexpr wchar_t kModeEndProgram[] = L"--end-program";
// <mode> <file>: plays the start cue through ProgramDir with the real
// ports and writes "<milliseconds>\t<cue path>" to <file>.
inline constexpr wchar_t kModePlayCue[] = L"--play-cue";
}  // namespace kr2::e2e
