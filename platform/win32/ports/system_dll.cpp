#include "system_dll.h"

#include <string>

#include "system_library.h"

namespace kr2 {
namespace {

// The loader calls behind LoadSystemLibrary, one to one.
class Win32SystemLibraries final : public SystemLibraryLoader {
public:
    Module LoadFromSystemDirectory(const std::wstring& fileName) override {
        return LoadLibraryExW(fileName.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    std::wstring SystemDirectory() override {
        wchar_t dir[MAX_PATH];
        const UINT n = GetSystemDirectoryW(dir, MAX_PATH);
        return n > 0 && n < MAX_PATH ? std::wstring(dir, n) : std::wstring();
    }
    // The DLL's own imports are then looked for in its directory first, not
    // beside the launcher.
    Module LoadFullPath(const std::wstring& path) override {
        return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
};

}  // namespace

HMODULE LoadSystemDll(const wchar_t* fileName) noexcept {
    try {
        Win32SystemLibraries libraries;
        return static_cast<HMODULE>(LoadSystemLibrary(libraries, fileName));
    } catch (...) {
        return nullptr;  // out of memory for the path: no DLL, as when it is missing
    }
}

}  // namespace kr2
