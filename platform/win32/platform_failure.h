#pragma once
// A refused platform call as the failure the run-time error box reports:
// the platform's error number and its text. Used by the ports, the screen
// and the program alike.

#include <windows.h>

namespace kr2 {

// Throws RunTimeFailure for `code`. Some refusals (a window class or window
// that cannot be made) leave no error number behind; a zero would read as
// success in the box, so it stands as ERROR_NOT_ENOUGH_MEMORY.
[[noreturn]] void ThrowPlatformError(DWORD code);

// The same for the calling thread's last error.
[[noreturn]] void ThrowLastError();

}  // namespace kr2
