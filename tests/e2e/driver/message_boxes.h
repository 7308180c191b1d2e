#pragma once
// Message boxes seen from outside: the launcher's run-time error box, and any
// box that should not be there (a crash dialog of the platform included).

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kr2::e2e {

// Every visible message box (class "#32770") on the desktop, of any process.
std::vector<HWND> VisibleMessageBoxes();

// The box's message text and the number of its push buttons.
std::wstring MessageText(HWND box);
int ButtonCount(HWND box);

// Which of the platform's message icons the box shows, told by its pixels
// once it has painted one: "error", "warning", "information", "question";
// empty when none within 2 s.
std::string ShownIcon(HWND box);

// The run-time error box's text for the platform's error `code`, as the
// platform words it: "Run-time error '2':\r\n\r\nThe system cannot find ...",
// without the line break the platform ends its text with.
std::wstring RunTimeErrorText(DWORD code);

// Waits for exactly one visible box; nullptr on timeout.
HWND WaitMessageBox(DWORD timeoutMs);

// Presses the box's OK button as a user would.
void PressOk(HWND box);

// A failed check, naming `when`, for every visible box; each one found is
// dismissed so that it cannot block the cases after it.
bool ExpectNoMessageBox(const std::string& when);

// The exit code of a process that has ended, waiting up to `timeoutMs`;
// nothing while it still runs. The caller must still hold a handle to it.
std::optional<std::uint32_t> ExitCodeOf(DWORD pid, DWORD timeoutMs);

// The launcher ended on its own and cleanly: exit code 0, not a crash.
bool ExpectCleanEnd(DWORD pid, const std::string& when, DWORD timeoutMs = 5000);

}  // namespace kr2::e2e
