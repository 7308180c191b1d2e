#pragma once
// A DLL of the operating system, loaded the one way the launcher loads one:
// from the system directory only (LoadSystemLibrary in the core).

#include <windows.h>

namespace kr2 {

// `fileName` ("winmm.dll") from the system directory, or nullptr. It stays
// loaded for the life of the process.
HMODULE LoadSystemDll(const wchar_t* fileName) noexcept;

// A function of `module` as the type it has; nullptr if either is missing.
template <class Function>
Function SystemFunction(HMODULE module, const char* name) noexcept {
    // Through void*: FARPROC has no parameters of its own.
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace kr2
