#include "system_library.h"

namespace kr2 {

SystemLibraryLoader::Module LoadSystemLibrary(SystemLibraryLoader& loader, const std::wstring& fileName) {
    if (SystemLibraryLoader::Module module = loader.LoadFromSystemDirectory(fileName)) return module;
    std::wstring path = loader.SystemDirectory();
    // Without the directory the path would be relative: better no DLL at all.
    if (path.empty()) return nullptr;
    if (path.back() != L'\\') path += L'\\';
    return loader.LoadFullPath(path + fileName);
}

}  // namespace kr2
