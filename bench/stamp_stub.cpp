// Stands in for the game's executable in the press-to-start pair, as a
// windowed program like the game, so no console is made for it. The first
// thing WinMain does is read the performance counter; the value goes, as one
// decimal line, to the file named by KR2_BENCH_STAMP. The counter is
// system-wide, so the bench driver can subtract its own readings from it.

#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);

    wchar_t path[MAX_PATH];
    const DWORD len = GetEnvironmentVariableW(L"KR2_BENCH_STAMP", path, MAX_PATH);
    if (len == 0 || len >= MAX_PATH) return 2;

    char line[32];
    const int n = std::snprintf(line, sizeof line, "%lld\n", now.QuadPart);
    // Written to a temporary name and renamed, so the driver never reads half a line.
    wchar_t partial[MAX_PATH + 4];
    lstrcpyW(partial, path);
    lstrcatW(partial, L".tmp");
    HANDLE file = CreateFileW(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, line, static_cast<DWORD>(n), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != static_cast<DWORD>(n)) return 4;
    return MoveFileExW(partial, path, MOVEFILE_REPLACE_EXISTING) ? 0 : 5;
}
