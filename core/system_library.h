#pragma once
// Loading a DLL of the operating system (winmm for the cues) so that only
// the copy in the system directory can ever be loaded, on every Windows the
// launcher runs on: a DLL of the same name planted beside the launcher or in
// the current directory is never picked up.

#include <string>

namespace kr2 {

// The three loader calls the choice is made from; the real one wraps
// LoadLibraryExW and GetSystemDirectoryW.
class SystemLibraryLoader {
public:
    using Module = void*;

    // Loads `fileName` from the system directory alone, through the loader's
    // own safe search. Fails on a Windows 7 without its loader update, which
    // does not know that search.
    virtual Module LoadFromSystemDirectory(const std::wstring& fileName) = 0;
    // The system directory ("C:\Windows\system32"); empty if it is unknown.
    virtual std::wstring SystemDirectory() = 0;
    // Loads the DLL at exactly this full path.
    virtual Module LoadFullPath(const std::wstring& path) = 0;

protected:
    ~SystemLibraryLoader() = default;
};

// The safe search first; where the loader refuses it, the full path in the
// system directory. Never the bare name, which the loader would look for
// beside the program first. nullptr when neither loads: no third attempt.
SystemLibraryLoader::Module LoadSystemLibrary(SystemLibraryLoader& loader, const std::wstring& fileName);

}  // namespace kr2
