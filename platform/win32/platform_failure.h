#pragma once
// A refused platform call as the failure the run-time error box reports:
// the platform's error number and its text. Used by the ports, the screen
// and the program alike.

#include <windows.h>

#include <type_traits>

#include "ports.h"

namespace kr2 {

// The failure for error number `code`: the number and the platform's words.
// A refusal that leaves no number (0) was for want of resources, and a zero
// would read as success: it stands as the launcher's own "Out of memory".
LaunchError PlatformError(DWORD code);

// Throws RunTimeFailure for PlatformError(code).
[[noreturn]] void ThrowPlatformError(DWORD code);

// The same for the calling thread's last error.
[[noreturn]] void ThrowLastError();

// Calls a failure-capable platform function with the last error cleared
// first. Several set none when they fail (CreateFontW, SetWindowSubclass,
// LockResource, most of GDI): the last error then holds 0, never a number
// an earlier call left, and a call that sets one still has it read.
template <class R, class... P>
R Cleared(R (*call)(P...), std::type_identity_t<P>... args) {
    SetLastError(ERROR_SUCCESS);
    return call(args...);
}

// The same, throwing for the last error when the call returns 0 or null.
template <class R, class... P>
R Checked(R (*call)(P...), std::type_identity_t<P>... args) {
    const R result = Cleared(call, args...);
    if (!result) ThrowLastError();
    return result;
}

}  // namespace kr2
