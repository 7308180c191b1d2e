#pragma once
// What the stand-ins write: one record of how they came to run, appended to
// the file named by KR2_STUB_LOG (stub_record.h).

#include <windows.h>

namespace kr2::e2e {

// A record for `module` (nullptr: the program itself) in the running
// process; true also when no log is named. Two stand-ins may write at once.
bool AppendStubRecord(HMODULE module);

}  // namespace kr2::e2e
