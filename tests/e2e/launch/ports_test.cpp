// The port that ends the program, ProgramDir from unusual places, a cue from a
// drive root, and the owners of handles. The error box is checked in the real
// exe (hardening launch targets: caption, text, one OK button, its icon).
// Some cases run a copy of this program in a child mode (launch_main.cpp).

#include <windows.h>

#include <cstdint>
#include <string>

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

