#pragma once
// Starting a program from a test and waiting for it.

#include <cstdint>
#include <optional>
#include <string>

#include "owner.h"

namespace kr2::e2e {

using kr2::UniqueHandle;

struct ChildOptions {
    std::wstring commandLine;      // whole, as CreateProcessW gets it
    std::wstring applicationName;  // empty: taken from the command line
    std::wstring workingDir;       // empty: this program's current directory
    std::wstring loadFirst{};      // a DLL loaded into it before its first instruction
};

// A started program; its handle is closed and the program killed (if it
// still runs) when the object goes.
class ChildProcess {
public:
    // Throws std::runtime_error when the program cannot be started.
    explicit ChildProcess(const ChildOptions& options);
    // Takes over a running program that was started some other way; throws
    // when it cannot be opened.
    explicit ChildProcess(std::uint32_t runningProcessId);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    std::uint32_t processId() const { return processId_; }

    // The exit code once the program has ended, nothing on timeout.
    std::optional<std::uint32_t> Wait(unsigned timeoutMs);
    bool Running() const;
    void Kill();

private:
    UniqueHandle process_;
    std::uint32_t processId_ = 0;
};

// Milliseconds since some fixed moment, for timing a call.
std::uint64_t NowMs();
inline std::uint64_t Since(std::uint64_t startMs) { return NowMs() - startMs; }

}  // namespace kr2::e2e
