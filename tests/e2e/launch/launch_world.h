#pragma once
// What the launch tests share: the real ports, recording stand-ins for the
// two that would end the test program, and the stub layout.

#include <string>
#include <vector>

#include "files.h"
#include "outside_programs.h"
#include "ports.h"
#include "run_launch_action.h"
#include "stub_log.h"
#include "win32_ports.h"

namespace kr2::e2e {

// Records instead of showing a box.
class RecordingErrorBox final : public ErrorBox {
public:
    void ShowRunTimeError(const LaunchError& error) override;
    std::vector<LaunchError> shown;
    std::vector<std::string>* order = nullptr;
};

// Records instead of ending the test program.
class RecordingEnd final : public ProgramEnd {
public:
    void EndProgram() override;
    int calls = 0;
    std::vector<std::string>* order = nullptr;
};

class RecordingWindow final : public OwnerWindow {
public:
    void Unload() override { ++unloads; }
    int unloads = 0;
};

// The game's two executables beside this test program (the launcher's
// directory, first in the program search), stubs for the system programs,
// a current directory of its own and a fresh stub log. Each piece can be
// taken away for a failure case.
class LaunchWorld {
public:
    explicit LaunchWorld(const std::wstring& name);
    ~LaunchWorld();

    static std::wstring GameExe(const wchar_t* file);  // beside this program
    const std::wstring& WorkDir() const { return root_.path(); }
    const e2e::StubLog& Log() const { return log_; }
    const e2e::TempRoot& Root() const { return root_; }

    // Runs one entry with the real process launcher and the recorders.
    void Run(const LaunchAction& entry);

    Win32ProcessLauncher launcher;
    RecordingErrorBox errorBox;
    RecordingEnd end;
    RecordingWindow window;
    std::vector<std::string> order;  // "box" and "end", in the order they came

private:
    e2e::TempRoot root_;
    e2e::StubLog log_;
    std::wstring previousDir_;
};

}  // namespace kr2::e2e
