#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <type_traits>

#include "owner.h"
#include "system_dll.h"
#include "wave_chunks.h"
#include "win32_ports.h"

namespace kr2 {

static_assert(std::is_same_v<Win32WavePlayer::PlaySoundFn, decltype(&PlaySoundW)>);

namespace {

// Enough for the chunks that come before the sound data in any real wave.
constexpr DWORD kHeadBytes = 64 * 1024;

bool ChunksFit(const std::wstring& path) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return true;  // the player fails on it by itself
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return true;
    std::string head(kHeadBytes, '\0');
    DWORD got = 0;
    if (!ReadFile(file.get(), head.data(), kHeadBytes, &got, nullptr)) return true;
    head.resize(got);
    return WaveChunksFitTheFile(head, static_cast<std::uint64_t>(size.QuadPart));
}

// Some players open the file through the ANSI code page or a MAX_PATH
// buffer, so a folder named in another script, or a very deep one, would
// stay silent. The file's short name, where the volume has one, is plain
// ASCII and short.
std::wstring PathThePlayerCanOpen(const std::wstring& path) {
    BOOL lossy = FALSE;
    const int narrow = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, nullptr, 0,
                                           nullptr, &lossy);
    if (narrow != 0 && !lossy && path.size() < MAX_PATH) return path;
    const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::wstring shortPath(needed, L'\0');
    const DWORD n = GetShortPathNameW(path.c_str(), shortPath.data(), needed);
    if (n == 0 || n >= needed) return path;
    shortPath.resize(n);
    return shortPath;
}

}  // namespace

void Win32WavePlayer::PlaySync(const std::wstring& path) {
    if (!ChunksFit(path)) return;
    if (!looked_) {
        looked_ = true;
        // From the system directory only, so no winmm.dll planted beside the
        // launcher or in the current directory is ever loaded.
        playSound_ = SystemFunction<PlaySoundFn>(LoadSystemDll(L"winmm.dll"), "PlaySoundW");
    }
    if (!playSound_) return;  // no player: silence, like any other unplayable cue
    // No SND_NODEFAULT, so an unplayable file may give the default sound.
    playSound_(PathThePlayerCanOpen(path).c_str(), nullptr, SND_FILENAME | SND_SYNC);
}

}  // namespace kr2
