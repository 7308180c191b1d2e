#pragma once
// Recording fakes for every port: each effect is appended, in order, to one
// shared event log, so a test can check what happened and in which order.

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "expected_layout.h"
#include "launcher.h"
#include "ports.h"
#include "run_launch_action.h"
#include "screen.h"
#include "system_library.h"

namespace kr2::test {

using EventLog = std::vector<std::string>;

// The test data is plain ASCII; anything else shows up as '?'.
inline std::string Narrow(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text) out.push_back(c >= 0 && c < 128 ? static_cast<char>(c) : '?');
    return out;
}

// A fake whose effects go to `log_`.
template <class Port>
class Logged : public Port {
public:
    explicit Logged(EventLog& log) : log_(log) {}

protected:
    EventLog& log_;
};

class FakeProgramDir final : public ProgramDirSource {
public:
    std::wstring ProgramDir() override {
        ++calls;
        return dir;
    }
    std::wstring dir = L"C:\\G";
    int calls = 0;
};

class FakeProbe final : public Logged<FileProbe> {
public:
    using Logged::Logged;
    bool IsPlainFile(const std::wstring& path) override {
        log_.push_back("probe " + Narrow(path));
        if (throws) throw std::runtime_error("drive not ready");
        return exists;
    }
    bool exists = true;
    bool throws = false;
};

class FakePlayer final : public Logged<WavePlayer> {
public:
    using Logged::Logged;
    void PlaySync(const std::wstring& path) override {
        log_.push_back("play " + Narrow(path));
        if (whilePlaying) whilePlaying();
        if (throws) throw std::runtime_error("no sound device");
    }
    bool throws = false;
    std::function<void()> whilePlaying;  // what arrives while the sound plays
};

// Each loader call is logged; a call loads only where its flag says so.
class FakeLibraryLoader final : public Logged<SystemLibraryLoader> {
public:
    using Logged::Logged;
    Module LoadFromSystemDirectory(const std::wstring& fileName) override {
        log_.push_back("safe-search " + Narrow(fileName));
        return safeSearchLoads ? &module : nullptr;
    }
    std::wstring SystemDirectory() override { return systemDirectory; }
    Module LoadFullPath(const std::wstring& path) override {
        log_.push_back("full-path " + Narrow(path));
        return fullPathLoads ? &module : nullptr;
    }
    bool safeSearchLoads = true;
    bool fullPathLoads = true;
    std::wstring systemDirectory = L"C:\\Windows\\system32";
    int module = 0;  // its address stands for the loaded DLL
};

// Every line starts unless it was listed in `failures`.
class FakeProcessLauncher final : public Logged<ProcessLauncher> {
public:
    using Logged::Logged;
    LaunchResult LaunchProcess(std::wstring_view commandLine, ShowState show) override {
        log_.push_back("launch " + Narrow(commandLine) + " show=" +
                       std::to_string(static_cast<int>(show)));
        const auto failure = failures.find(std::wstring(commandLine));
        if (failure != failures.end()) return LaunchResult::Failed(failure->second);
        return LaunchResult::Started(4242);
    }
    void Fail(std::wstring_view line, std::uint32_t code, std::wstring text) {
        failures[std::wstring(line)] = LaunchError{code, std::move(text)};
    }
    std::map<std::wstring, LaunchError> failures;
};

class FakeErrorBox final : public Logged<ErrorBox> {
public:
    using Logged::Logged;
    void ShowRunTimeError(const LaunchError& error) override {
        log_.push_back("errorbox " + std::to_string(error.code) + " " + Narrow(error.description));
        if (whileShowing) whileShowing();
    }
    std::function<void()> whileShowing;  // what arrives while the modal box is up
};

// Returns, unlike the real one: whatever the caller does afterwards shows up.
class FakeProgramEnd final : public Logged<ProgramEnd> {
public:
    using Logged::Logged;
    void EndProgram() override { log_.push_back("end"); }
};

class FakeOwner final : public Logged<OwnerWindow> {
public:
    using Logged::Logged;
    void Unload() override { log_.push_back("unload owner"); }
};

class FakeScreen final : public Logged<Screen> {
public:
    using Logged::Logged;
    void Create(const WindowSpec& desc) override {
        log_.push_back("create " + std::string(WindowName(desc.id)));
        if (failCreate) throw RunTimeFailure(LaunchError{1400, L"Invalid window handle."});
    }
    void ShowAndActivate(WindowId id) override { log_.push_back("show " + Name(id)); }
    void BringToFront(WindowId id) override { log_.push_back("front " + Name(id)); }
    void Destroy(WindowId id) override {
        log_.push_back("destroy " + Name(id));
        if (whileDestroying) whileDestroying(id);
    }
    void LeaveMessageLoop() override { log_.push_back("quit"); }
    bool failCreate = false;
    // Stands in for messages the platform delivers while a window is torn down.
    std::function<void(WindowId)> whileDestroying;

private:
    static std::string Name(WindowId id) { return std::string(WindowName(id)); }
};

// The cue's two log lines for ProgramDir "C:\G": the probe, then the play.
inline EventLog CueEvents(std::string_view cue) {
    const std::string path = "C:\\G\\..\\Install\\" + std::string(cue) + ".WAV";
    return {"probe " + path, "play " + path};
}

// A whole launcher wired to recording fakes.
struct LauncherRig {
    EventLog log;
    FakeScreen screen{log};
    FakeProgramDir programDir;
    FakeProbe probe{log};
    FakePlayer player{log};
    FakeProcessLauncher processes{log};
    FakeErrorBox errorBox{log};
    FakeProgramEnd end{log};
    Launcher launcher{LauncherPorts{screen, programDir, probe, player, processes, errorBox, end}};

    // The table index of a control by name; -1 when the window has none.
    static int IndexOf(WindowId id, std::string_view name) {
        const auto controls = ControlRowsOf(id);
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].name == name) return static_cast<int>(i);
        }
        return -1;
    }
    // Clicks a control by name; a name the table lacks throws so a test cannot
    // silently click nothing.
    void Click(WindowId id, std::string_view name) {
        const int index = IndexOf(id, name);
        if (index < 0) throw std::logic_error("no control " + std::string(name));
        launcher.OnClick(id, index);
    }
    // Starts the launcher and forgets the start-up events.
    void StartAndClear() {
        launcher.Start();
        log.clear();
    }
    // Each window the way the design opens it, through the windows before.
    void Open(WindowId id) {
        const design::Way way = design::Layout(id).openedBy;
        if (!way.control.empty()) {
            Open(way.from);
            Click(way.from, way.control);
        }
        log.clear();
    }
};

// Joins event lists, for expectations built from parts.
inline EventLog Then(EventLog a, const EventLog& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace kr2::test
