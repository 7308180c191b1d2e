#pragma once
// The test side of the stub log: where started stubs write, and reading it.

#include <cstddef>
#include <string>
#include <vector>

#include "stub_record.h"

namespace kr2::e2e {

class StubLog {
public:
    // Deletes any old log at `path` and sets KR2_STUB_LOG in this process,
    // so every program started from now on inherits it.
    explicit StubLog(std::wstring path);

    const std::wstring& path() const { return path_; }

    // Every complete record so far; a missing file means none.
    std::vector<StubRecord> Read() const;

    // Waits until at least `count` records are there or the time is up, and
    // returns what is there then. Stubs are not waited for by the launcher,
    // so this is how a test learns that they have run.
    std::vector<StubRecord> WaitFor(std::size_t count, unsigned timeoutMs = 15000) const;

    // Waits until every stub that has written a record so far has ended (or
    // the time is up): a stub that has written its line may still run, in
    // the folder it was started in, which cannot be removed meanwhile.
    void WaitForWritersToEnd(unsigned timeoutMs = 5000) const;

    // Empties the log between cases.
    void Clear() const;

private:
    std::wstring path_;
};

}  // namespace kr2::e2e
