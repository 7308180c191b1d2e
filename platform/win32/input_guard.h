#pragma once
// The launcher's guard against input given before a window appeared
// (stale_input.h), fed from the platform: every message the launcher's loops
// read, the windows it shows and the windows that go.

#include <windows.h>

namespace kr2::input {

// Whether the message just read must not reach its window.
bool Drops(const MSG& msg) noexcept;
// `window` appears to the player: shown, brought to the front, or made
// active by the launcher's own doing. `since` is the tick count taken
// before the launcher asked for it: the platform may show the window before
// the call that shows it returns, and a player may already act on it then.
void Appeared(HWND window, DWORD since) noexcept;
// `window` is about to go: what the guard knows of it goes too.
void Vanishing(HWND window) noexcept;
// A loop of the platform's (a menu, a move) or another program has had the
// keyboard, and may have read releases the guard never saw.
void KeysReleased() noexcept;

// While it lives, a message box's own loop drops what the launcher's loop
// would, and the box counts as appearing when it is activated.
class ModalBoxGuard {
public:
    ModalBoxGuard() noexcept;
    ~ModalBoxGuard();
    ModalBoxGuard(const ModalBoxGuard&) = delete;
    ModalBoxGuard& operator=(const ModalBoxGuard&) = delete;

private:
    HHOOK activation_;
    HHOOK messages_;
};

}  // namespace kr2::input
