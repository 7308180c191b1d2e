#include "message_loop.h"

#include "input_guard.h"
#include "platform_failure.h"

namespace kr2 {

int RunMessageLoop(NativeScreen& screen) {
    MSG msg;
    for (;;) {
        const BOOL got = Cleared(GetMessageW, &msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) ThrowLastError();
        // A click or key given before its window appeared was meant for
        // what stood there then.
        if (input::Drops(msg)) continue;
        // Tab, Enter, Space and access keys for the active window only: the
        // windows are modeless and each handles its own keys.
        HWND active = screen.ActiveWindow();
        if (!active || !IsDialogMessageW(active, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (screen.HasFailure()) return 0;
    }
}

}  // namespace kr2
