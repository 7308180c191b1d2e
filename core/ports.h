#pragma once
// The few things the launch core asks of the platform. The real
// implementations live in platform/win32; the unit tests use recording fakes.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace kr2 {

// The window state asked for a started program (the platform's SW_ numbers).
enum class ShowState : int { ShowNormal = 1, ShowMinimized = 2 };

// Where the launcher's own executable lives: no trailing "\" except at a
// drive root ("C:\Games\Launcher", "D:\").
class ProgramDirSource {
public:
    virtual std::wstring ProgramDir() = 0;
protected:
    ~ProgramDirSource() = default;
};

// Lists a path as a file with the attribute mask 0: true only for a plain
// (possibly read-only or archived) file, never for a directory or a hidden
// or system file. May throw; PlayWave swallows it.
class FileProbe {
public:
    virtual bool IsPlainFile(const std::wstring& path) = 0;
protected:
    ~FileProbe() = default;
};

// Plays a wave file synchronously: returns when the sound has ended. The
// player's own result is not used. May throw; PlayWave swallows it.
class WavePlayer {
public:
    virtual void PlaySync(const std::wstring& path) = 0;
protected:
    ~WavePlayer() = default;
};

// A failed start as the platform reports it.
struct LaunchError {
    std::uint32_t code = 0;    // the platform's error number
    std::wstring description;  // the platform's text for it
};

// A failure that nothing catches on its way up: it ends in the run-time error
// box, and the program then ends. Thrown by platform operations that are not
// expected to fail (creating a window, say).
class RunTimeFailure : public std::exception {
public:
    explicit RunTimeFailure(LaunchError error) : error_(std::move(error)) {}
    const LaunchError& error() const noexcept { return error_; }
    const char* what() const noexcept override { return "run-time failure"; }
private:
    LaunchError error_;
};

struct LaunchResult {
    bool started = false;
    std::uint32_t processId = 0;  // valid when started
    LaunchError error;            // valid when not started

    static LaunchResult Started(std::uint32_t pid) { return {true, pid, {}}; }
    static LaunchResult Failed(LaunchError e) { return {false, 0, std::move(e)}; }
};

// Starts one command line, handed over whole, with a requested show state.
// The new process inherits the current directory and environment; nothing
// of it is kept.
class ProcessLauncher {
public:
    virtual LaunchResult LaunchProcess(std::wstring_view commandLine, ShowState show) = 0;
protected:
    ~ProcessLauncher() = default;
};

// The run-time error box: modal, one OK button, returns when it is dismissed.
class ErrorBox {
public:
    virtual void ShowRunTimeError(const LaunchError& error) = 0;
protected:
    ~ErrorBox() = default;
};

// Ends the whole program at once: every window goes, no handler runs. The
// real one does not return; a test fake does, and callers must then return
// without doing anything more.
class ProgramEnd {
public:
    virtual void EndProgram() = 0;
protected:
    ~ProgramEnd() = default;
};

}  // namespace kr2
