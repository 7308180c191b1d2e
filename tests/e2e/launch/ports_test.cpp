// The ports that end or show something, and ProgramDir from unusual places.
// Some cases run a copy of this program in a child mode (launch_main.cpp).

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include "child_process.h"
#include "child_modes.h"
#include "files.h"
#include "owner.h"
#include "utf8.h"
#include "wave_file.h"
#include "platform_queries.h"
#include "win32_ports.h"

using namespace kr2;
using namespace kr2::e2e;

namespace {

struct SeenBox {
    std::wstring caption;
    std::vector<std::wstring> statics;
    std::vector<std::wstring> buttons;
};

struct BoxSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (pid == search->pid && std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::wstring TextOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
    auto* seen = reinterpret_cast<SeenBox*>(param);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    const std::wstring text = TextOf(hwnd);
    if (std::wstring(cls) == L"Button") seen->buttons.push_back(text);
    if (std::wstring(cls) == L"Static" && !text.empty()) seen->statics.push_back(text);
    return TRUE;
}

// Watches for this process's message box, notes what it shows and presses OK.
SeenBox ReadAndDismissBox(std::atomic<bool>& done) {
    SeenBox seen;
    for (int i = 0; i < 500 && !done; ++i) {
        BoxSearch search{GetCurrentProcessId(), nullptr};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            seen.caption = TextOf(search.found);
            EnumChildWindows(search.found, CollectChild, reinterpret_cast<LPARAM>(&seen));
            PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return seen;
        }
        Sleep(20);
    }
    return seen;
}

std::wstring ReadUtf8File(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return L"<missing>";
    std::string bytes(4096, '\0');
    DWORD got = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    bytes.resize(got);
    return e2e::FromUtf8(bytes);
}

// What a copy of this program reports in `mode` when it runs from `exe`.
std::wstring RunCopyAt(const std::wstring& exe, const wchar_t* mode, const std::wstring& out) {
    if (!CopyFileW((e2e::ThisProgramDir() + L"\\" + kThisExeName).c_str(), (L"\\\\?\\" + exe).c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy the test program to " << ToUtf8(exe);
        return {};
    }
    ChildProcess child({L"\"" + exe + L"\" " + mode + L" \"" + out + L"\"", exe, L""});
    EXPECT_EQ(child.Wait(30000).value_or(999), 0u);
    DeleteFileW((L"\\\\?\\" + exe).c_str());
    return ReadUtf8File(out);
}

std::wstring ProgramDirOfCopyAt(const std::wstring& exe, const std::wstring& out) {
    return RunCopyAt(exe, kModeProgramDir, out);
}

}  // namespace

TEST(LaunchPorts, ErrorBoxShowsNumberAndTextThenReturnsAfterOk) {
    const LaunchError error{2, L"The system cannot find the file specified."};

    std::atomic<bool> done{false};
    SeenBox seen;
    std::thread watcher([&] { seen = ReadAndDismissBox(done); });
    Win32ErrorBox box;
    box.ShowRunTimeError(error);  // returns only once OK has been pressed
    done = true;
    watcher.join();

    EXPECT_EQ(ToUtf8(seen.caption), "kr2_s1");
    EXPECT_TRUE(seen.buttons == std::vector<std::wstring>{L"OK"});
    ASSERT_EQ(seen.statics.size(), std::size_t{1});
    EXPECT_EQ(ToUtf8(seen.statics[0]), "Run-time error '2':\r\n\r\nThe system cannot find the file specified.");
}

TEST(LaunchPorts, EndProgramEndsAtOnceWithExitCodeZero) {
    TempRoot root(L"end-program");
    const std::wstring marker = root / L"handlers-ran.txt";
    const std::wstring exe = e2e::ThisProgramDir() + L"\\" + kThisExeName;
    ChildProcess child({L"\"" + exe + L"\" " + kModeEndProgram + L" \"" + marker + L"\"", exe, L""});
    EXPECT_EQ(child.Wait(30000).value_or(999), 0u);
    // Neither an atexit handler nor a static destructor nor the code after
    // the call may have written anything.
    EXPECT_EQ(ToUtf8(ReadUtf8File(marker)), "<missing>");
}

TEST(LaunchPorts, ProgramDirHasNoTrailingBackslashExceptAtADriveRoot) {
    TempRoot root(L"program-dir");
    EXPECT_EQ(ToUtf8(Win32ProgramDir().ProgramDir()), ToUtf8(e2e::ThisProgramDir()));

    e2e::MakeDirs(root / L"kr2 dir");
    EXPECT_EQ(ToUtf8(ProgramDirOfCopyAt(root / L"kr2 dir\\copy.exe", root / L"plain.txt")),
              ToUtf8(root / L"kr2 dir"));

    EXPECT_EQ(ToUtf8(ProgramDirOfCopyAt(L"C:\\kr2e2e-root-copy.exe", root / L"root.txt")), "C:\\");

    // Programs cannot be started from deeper than MAX_PATH under Wine, so
    // the growing buffer is checked by starting it too small instead.
    const std::wstring full = ModuleFileName();
    EXPECT_EQ(ToUtf8(full), ToUtf8(e2e::ThisProgramDir() + L"\\" + kThisExeName));
    for (unsigned long size : {1ul, 4ul, static_cast<unsigned long>(full.size()),
                               static_cast<unsigned long>(full.size() + 1)}) {
        EXPECT_EQ(ToUtf8(ModuleFileName(size)), ToUtf8(full));
    }
}

// At a drive root the cue path holds "C:\\..\Install": the file system still
// finds C:\Install, and the real probe and player play the cue to its end.
TEST(LaunchPorts, CueFromADriveRootPlaysFromTheRootInstall) {
    TempRoot root(L"root-cue");
    if (e2e::DirectoryExists(L"C:\\Install")) {
        FAIL() << "C:\\Install already exists in the prefix";
    }
    e2e::WriteWav(L"C:\\Install\\start.WAV", 1500);
    const std::wstring seen = RunCopyAt(L"C:\\kr2e2e-root-copy.exe", kModePlayCue, root / L"cue.txt");
    e2e::RemoveTree(L"C:\\Install");

    const std::size_t tab = seen.find(L'\t');
    ASSERT_TRUE(tab != std::wstring::npos);
    EXPECT_EQ(ToUtf8(seen.substr(tab + 1)), "C:\\\\..\\Install\\start.WAV");
    const unsigned long ms = std::stoul(seen.substr(0, tab));
    std::printf("  cue from the drive root blocked %lu ms\n", ms);
    EXPECT_GE(ms, 1500ul);
}

// An owner that lets go of its handle keeps the thread's last error, so a
// failure read after a scope is left still gives its own number: the free
// below sets another one, as CloseHandle on a dead handle would.
namespace {
int frees = 0;
struct FreeAndSetError {
    void operator()(HANDLE) const noexcept {
        ++frees;
        SetLastError(ERROR_INVALID_HANDLE);
    }
};
using TestOwner = Owner<HANDLE, FreeAndSetError>;
HANDLE Dummy() { return reinterpret_cast<HANDLE>(std::intptr_t{0x1234}); }
}  // namespace

TEST(LaunchPorts, OwnersKeepTheLastErrorWhenTheyLetGo) {
    const auto afterwards = [](const char* how, auto letGo, int freed) {
        frees = 0;
        SetLastError(ERROR_NOT_ENOUGH_QUOTA);
        letGo();
        EXPECT_EQ(frees, freed) << how;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_QUOTA)) << how;
    };
    afterwards("reset", [] { TestOwner(Dummy()).reset(); }, 1);
    afterwards("a scope left", [] { TestOwner owner(Dummy()); }, 1);
    afterwards("a move onto a held handle", [] {
        TestOwner held(Dummy());
        held = TestOwner(Dummy());
    }, 2);
    afterwards("nothing held", [] { TestOwner().reset(); }, 0);
    afterwards("INVALID_HANDLE_VALUE held", [] { TestOwner(INVALID_HANDLE_VALUE).reset(); }, 0);
}

