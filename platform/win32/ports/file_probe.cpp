#include <windows.h>

#include "owner.h"
#include "win32_ports.h"

namespace kr2 {

bool Win32FileProbe::IsPlainFile(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    // Missing directory, missing drive, drive not ready: all just "not there".
    if (!FindHandle(FindFirstFileW(path.c_str(), &found))) return false;
    constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return found.cFileName[0] != L'\0' && (found.dwFileAttributes & kNotPlain) == 0;
}

}  // namespace kr2
