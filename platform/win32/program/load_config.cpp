// The exe's load configuration, which the loader reads before any code of
// the launcher runs: the DLLs its imports bring in (and theirs) are looked
// for in the system directory only, never beside kr2_s1.exe, where a DLL of
// the same name may have been left (a game unpacked in a Downloads folder).
// wWinMain sets the same search for the DLLs loaded later.
//
// lld and MSVC's linker point the PE header's directory entry at this
// structure by its name; GNU ld does not, so the build does it after the
// link (cmake/pe_load_config.py).

#include <windows.h>

#if defined(__MINGW32__)
namespace {
constexpr IMAGE_LOAD_CONFIG_DIRECTORY64 SystemDirectoryOnly() {
    IMAGE_LOAD_CONFIG_DIRECTORY64 config{};
    config.Size = sizeof config;
    config.Reserved1 = LOAD_LIBRARY_SEARCH_SYSTEM32;  // DependentLoadFlags, by its older name
    return config;
}
}  // namespace

// Kept with the writable data, where the exe has room for it: the loader
// reads it once, before the launcher runs, and nothing writes it.
extern "C" {
__attribute__((used)) constinit IMAGE_LOAD_CONFIG_DIRECTORY64 _load_config_used = SystemDirectoryOnly();
}
#endif
