// The soak's readme starts with no launcher code: the same window cycles (or
// none), then the same CreateProcessW calls the launcher makes for its readme
// line, each with the program named as the application, the handles closed
// at once and the next start as soon as the started stub has written its
// record. Prints how many starts failed, with each raw GetLastError.
//
//   kr2_soak_bare_starts.exe STUB_EXE [cycles N] [starts M] [wait-exit|no-wait]
//
// STUB_EXE is copied over C:\Windows\Notepad.exe for the run (the original
// comes back afterwards). "cycles N" opens and closes four tool windows of
// 6, 4, 28 and 4 controls N times each first; "wait-exit" waits for each
// stub to end before the next start instead of for its record only, and
// "no-wait" starts the next one at once (many stubs start and end together).

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kNotepad[] = L"C:\\Windows\\Notepad.exe";
constexpr wchar_t kSaved[] = L"C:\\Windows\\Notepad.exe.kr2bare-original";
constexpr wchar_t kLine[] = L"C:\\Windows\\Notepad.exe ..\\Install\\readme.txt";
constexpr wchar_t kRoot[] = L"C:\\kr2bare";
constexpr wchar_t kGame[] = L"C:\\kr2bare\\Game";
constexpr wchar_t kLog[] = L"C:\\kr2bare\\stub.log";

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Lines in the stub log; every stub appends one whole line.
long long LogLines() {
    HANDLE h = CreateFileW(kLog, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 0;
    long long lines = 0;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0)
        for (DWORD i = 0; i < got; ++i) lines += buffer[i] == '\n';
    CloseHandle(h);
    return lines;
}

void CycleWindows(int cycles) {
    const int controls[] = {6, 4, 28, 4};  // the four secondary windows' sizes
    for (int c = 0; c < cycles; ++c) {
        for (int n : controls) {
            HWND top = CreateWindowExW(WS_EX_TOOLWINDOW, L"#32770", L"bare", WS_CAPTION | WS_SYSMENU, 100, 100,
                                       400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
            for (int i = 0; i < n; ++i)
                CreateWindowExW(0, L"BUTTON", L"button", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 8, 8 + i * 9, 120,
                                20, top, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)),
                                GetModuleHandleW(nullptr), nullptr);
            ShowWindow(top, SW_SHOW);
            Pump();
            DestroyWindow(top);
            Pump();
        }
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: %ls STUB_EXE [cycles N] [starts M] [wait-exit|no-wait]\n", argv[0]);
        return 2;
    }
    int cycles = 0;
    int starts = 300;
    enum class Wait { Record, Exit, None } wait = Wait::Record;
    for (int i = 2; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (a == L"cycles" && i + 1 < argc) cycles = _wtoi(argv[++i]);
        else if (a == L"starts" && i + 1 < argc) starts = _wtoi(argv[++i]);
        else if (a == L"wait-exit") wait = Wait::Exit;
        else if (a == L"no-wait") wait = Wait::None;
        else {
            std::fwprintf(stderr, L"unknown argument %ls\n", a.c_str());
            return 2;
        }
    }

    CreateDirectoryW(kRoot, nullptr);
    CreateDirectoryW(kGame, nullptr);
    DeleteFileW(kLog);
    SetEnvironmentVariableW(L"KR2_STUB_LOG", kLog);
    SetCurrentDirectoryW(kGame);
    DeleteFileW(kSaved);
    const bool saved = MoveFileW(kNotepad, kSaved) != 0;
    if (!CopyFileW(argv[1], kNotepad, FALSE)) {
        std::fwprintf(stderr, L"cannot place the stub: error %lu\n", GetLastError());
        return 2;
    }

    const ULONGLONG t0 = GetTickCount64();
    CycleWindows(cycles);
    const ULONGLONG t1 = GetTickCount64();

    int failed = 0;
    int lost = 0;
    std::vector<std::wstring> failures;
    for (int i = 1; i <= starts; ++i) {
        std::vector<wchar_t> line(kLine, kLine + wcslen(kLine) + 1);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION pi{};
        const long long before = LogLines();
        if (!CreateProcessW(kNotepad, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            const DWORD code = GetLastError();
            ++failed;
            failures.push_back(L"start " + std::to_wstring(i) + L": error " + std::to_wstring(code) + L" after " +
                               std::to_wstring(GetTickCount64() - t1) + L" ms");
            std::wprintf(L"bare: %ls\n", failures.back().c_str());
            std::fflush(stdout);
            continue;
        }
        if (wait == Wait::Exit) WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        if (wait == Wait::None) continue;
        const ULONGLONG end = GetTickCount64() + 10000;
        while (LogLines() <= before && GetTickCount64() < end) {
            Pump();
            Sleep(20);
        }
        if (LogLines() <= before) ++lost;
    }
    if (wait == Wait::None) {  // every stub that started writes its record
        const ULONGLONG end = GetTickCount64() + 60000;
        while (LogLines() < starts - failed && GetTickCount64() < end) Sleep(100);
        lost = static_cast<int>(starts - failed - LogLines());
    }
    const ULONGLONG t2 = GetTickCount64();

    DeleteFileW(kNotepad);
    if (saved) MoveFileW(kSaved, kNotepad);
    std::wprintf(L"bare: %d window cycles x4 in %llu ms; %d starts in %llu ms%ls: %d failed, %d started no stub\n",
                 cycles, t1 - t0, starts, t2 - t1, wait == Wait::Exit ? L" (each waited to its exit)" : wait == Wait::None ? L" (none waited for)" : L"", failed, lost);
    return failed || lost ? 1 : 0;
}
