#pragma once
// How a catalogue line names its program, for the process launcher.

#include <optional>
#include <string_view>

namespace kr2 {

// For a line whose program is an absolute path ("C:\..."): the program part,
// the text up to and including the first ".exe" (any case) that is followed
// by a blank or the end of the line. Nothing for a bare name or a line
// without such a ".exe". Handing this part to the platform separately keeps
// an unquoted path with blanks from starting "C:\Program.exe" instead.
std::optional<std::wstring_view> AbsoluteProgramPart(std::wstring_view line) noexcept;

// The directory part of a module path: everything before the last "\",
// except that a drive root keeps its "\" ("D:\kr2_s1.exe" gives "D:\").
std::wstring_view DirectoryOfModule(std::wstring_view modulePath) noexcept;

}  // namespace kr2
