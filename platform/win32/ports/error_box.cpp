#include <windows.h>

#include "input_guard.h"
#include "run_time_error.h"
#include "win32_ports.h"

namespace kr2 {

void Win32ErrorBox::ShowRunTimeError(const LaunchError& error) {
    wchar_t text[kRunTimeErrorTextRoom];
    WriteRunTimeErrorText(error, text);
    // Keys and clicks given while a cue played wait in the queue, and the
    // box's own loop would read them first: a queued Enter, or a click where
    // its OK button comes up, would close it before anyone saw it.
    const input::ModalBoxGuard guard;
    // No owner and task-modal: every window of the launcher is disabled
    // while the box is up, whichever of them was active.
    MessageBoxW(nullptr, text, kErrorBoxCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

}  // namespace kr2
