#include <windows.h>

#include "decimal_text.h"
#include "input_guard.h"
#include "run_time_error.h"
#include "win32_ports.h"

namespace kr2 {
namespace {

// Room for the longest text the platform gives for an error number.
constexpr std::size_t kTextRoom = 1024;

// The words for the launcher's own numbers, which come without a text.
std::wstring_view OwnWords(std::uint32_t code) {
    switch (code) {
        case kOutOfMemory: return L"Out of memory";
        case kInternalError: return L"Internal error";
    }
    return {};
}

// Written into a buffer of the caller's, cut short where it would not fit:
// the box must come up when memory has run out, which is one of the
// failures it reports.
void WriteRunTimeErrorText(const LaunchError& error, wchar_t (&out)[kTextRoom]) noexcept {
    std::size_t at = 0;
    auto put = [&](std::wstring_view text) {
        for (wchar_t c : text) {
            if (at + 1 < kTextRoom) out[at++] = c;
        }
    };
    wchar_t digits[10];
    put(L"Run-time error '");
    put({WriteDecimal(error.code, digits), digits + 10});
    put(L"':\r\n\r\n");
    put(error.description.empty() ? OwnWords(error.code) : std::wstring_view(error.description));
    out[at] = L'\0';
}

}  // namespace

void Win32ErrorBox::ShowRunTimeError(const LaunchError& error) {
    wchar_t text[kTextRoom];
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
