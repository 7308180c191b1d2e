#pragma once
// The real ports of the launch core on Win32.

#include <string>

#include "ports.h"

namespace kr2 {

// GetModuleFileNameW of the running executable, without the file name.
// Throws RunTimeFailure if the platform cannot tell.
class Win32ProgramDir final : public ProgramDirSource {
public:
    std::wstring ProgramDir() override;
};

// True only for a plain file: FindFirstFileW hits that are directories,
// hidden or system files do not count. Any failure is "no such file".
class Win32FileProbe final : public FileProbe {
public:
    bool IsPlainFile(const std::wstring& path) override;
};

// PlaySoundW, synchronous; the default sound may stand in for a bad file.
// winmm is loaded on the first sound that is really played: it brings the
// audio stack (and under Wine ole32 and rpcrt4) along, which a launcher
// without cue files never needs at start-up. It comes from the system
// directory only (LoadSystemLibrary), also on a Windows 7 whose loader lacks
// the safe search.
class Win32WavePlayer final : public WavePlayer {
public:
    void PlaySync(const std::wstring& path) override;

    // PlaySoundW's type, spelt without <windows.h>.
    using PlaySoundFn = int(__stdcall*)(const wchar_t*, struct HINSTANCE__*, unsigned long);

private:
    PlaySoundFn playSound_ = nullptr;
    bool looked_ = false;
};

// CreateProcessW with the line unchanged; both returned handles are closed
// at once, the process id is returned.
class Win32ProcessLauncher final : public ProcessLauncher {
public:
    LaunchResult LaunchProcess(std::wstring_view commandLine, ShowState show) override;
};

// The modal run-time error box, caption "kr2_s1".
class Win32ErrorBox final : public ErrorBox {
public:
    void ShowRunTimeError(const LaunchError& error) override;
};

// ExitProcess(0): no handler runs, every window goes with the process.
class Win32ProgramEnd final : public ProgramEnd {
public:
    [[noreturn]] void EndProgram() override;
};

}  // namespace kr2
