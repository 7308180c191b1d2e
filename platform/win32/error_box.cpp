#include <windows.h>

#include "decimal_text.h"
#include "win32_ports.h"

namespace kr2 {
namespace {

// Keys typed while a cue played wait in the queue. The box's own loop would
// read them first, and a queued Enter, Space or Escape would close it before
// anyone saw it. Only key messages go; clicks on the launcher's windows are
// dropped by the launcher itself while the box is up.
void DropQueuedKeys() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
}

}  // namespace

std::wstring RunTimeErrorText(const LaunchError& error) {
    return L"Run-time error '" + DecimalText(error.code) + L"':\r\n\r\n" + error.description;
}

void Win32ErrorBox::ShowRunTimeError(const LaunchError& error) {
    const std::wstring text = RunTimeErrorText(error);
    DropQueuedKeys();
    // No owner and task-modal: every window of the launcher is disabled
    // while the box is up, whichever of them was active.
    MessageBoxW(nullptr, text.c_str(), kErrorBoxCaption,
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

}  // namespace kr2
