// Stands in for a system DLL (winmm, oleacc, oleaut32) planted where the
// launcher must never load it from: loaded, it appends one record to the
// file named by KR2_STUB_LOG, whose module names the copy that was loaded.
// It exports nothing.

#include <windows.h>

#include "stub_writer.h"

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) kr2::e2e::AppendStubRecord(self);
    return TRUE;
}
