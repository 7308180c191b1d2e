#pragma once
// The programs of the operating system that the catalogue's lines name,
// where the tests put their stubs inside the prefix.

#include <windows.h>

#include <string>

namespace kr2::e2e {

inline constexpr wchar_t kNotepadPath[] = L"C:\\Windows\\Notepad.exe";
inline constexpr wchar_t kNotepadNtPath[] = L"C:\\WinNT\\Notepad.exe";
inline constexpr wchar_t kExplorerPath[] = L"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";

// Paths compare without regard to case: the prefix spells "notepad.exe".
inline bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace kr2::e2e
