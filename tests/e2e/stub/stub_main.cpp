// Stands in for a program the launcher starts (the game, Notepad, Internet
// Explorer): appends one record of how it was started to the file named by
// KR2_STUB_LOG and exits 0 at once. No console, no window.

#include <windows.h>

#include "stub_writer.h"

// A failed write is reported through the exit code; the tests see it as a
// missing record.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return kr2::e2e::AppendStubRecord(nullptr) ? 0 : 3; }
