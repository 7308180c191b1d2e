#include <windows.h>

#include "decimal_text.h"
#include "win32_ports.h"

namespace kr2 {

std::wstring RunTimeErrorText(const LaunchError& error) {
    return L"Run-time error '" + DecimalText(error.code) + L"':\r\n\r\n" + error.description;
}

void Win32ErrorBox::ShowRunTimeError(const LaunchError& error) {
    const std::wstring text = RunTimeErrorText(error);
    // No owner and task-modal: every window of the launcher is disabled
    // while the box is up, whichever of them was active.
    MessageBoxW(nullptr, text.c_str(), kErrorBoxCaption,
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

}  // namespace kr2
