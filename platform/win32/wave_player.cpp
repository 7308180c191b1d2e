#include <windows.h>
#include <mmsystem.h>

#include "win32_ports.h"

namespace kr2 {

void Win32WavePlayer::PlaySync(const std::wstring& path) {
    // The wide call: a folder name outside the ANSI code page still plays.
    // No SND_NODEFAULT, so an unplayable file may give the default sound.
    PlaySoundW(path.c_str(), nullptr, SND_FILENAME | SND_SYNC);
}

}  // namespace kr2
