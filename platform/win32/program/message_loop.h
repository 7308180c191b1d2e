#pragma once
// The one message loop: keyboard navigation for whichever launcher window
// is active, everything else dispatched as usual.

#include "native_screen.h"

namespace kr2 {

// Runs until the screen leaves the loop (the exit code of WM_QUIT is
// returned) or a window procedure has caught a failure (0; the caller takes
// it from the screen).
int RunMessageLoop(NativeScreen& screen);

}  // namespace kr2
