// ProgramDir where it is awkward: at a drive root (the cue path then holds
// "\\"), named in Cyrillic and CJK letters with blanks, and so deep that the
// cue paths or ProgramDir itself pass MAX_PATH. Cues play, what the platform
// can start starts, and no path is cut short. The system DLLs the launcher
// loads come from the system directory, never from beside it.

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>


#include <cstddef>
#include <cstdio>
#include <optional>
#include <set>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "expect.h"
#include "inside_probe.h"
#include "files.h"
#include "outside_programs.h"
#include "launcher_run.h"
#include "message_boxes.h"
#include "wave_file.h"
#include "window_probe.h"

namespace kr2::e2e {
namespace {

constexpr unsigned kCueMs = 1000;

// The press took at least the cue's length: the cue was found and played.
void ExpectPlayed(std::uint64_t tookMs, const std::string& what) {
    Expect(tookMs >= kCueMs && tookMs < kCueMs + 8000,
           what + " after its " + std::to_string(kCueMs) + " ms cue; took " + std::to_string(tookMs) + " ms");
}

// The single program a press started: which file, its line, its directory.
void ExpectStarted(const e2e::StubLog& log, std::size_t count, const std::wstring& module,
                   const std::wstring& line, const std::wstring& dir, const std::string& what) {
    const auto records = log.WaitFor(count, 5000);
    if (!ExpectEq(records.size(), count, what + ": programs started so far")) return;
    ExpectRan(records.back(), what, module, dir);
    ExpectEq(records.back().commandLine, line, what + ": command line");
}

// "&About" after its click cue, then closed by the close box (no cue).
void TimedAbout(LauncherRun& run, HWND main, const std::string& where) {
    const std::uint64_t pressed = e2e::NowMs();
    run.Press(main, WindowId::frmMain, L"&About");
    HWND about = run.WaitWindow(WindowId::frmAbout, kCueMs + 8000);
    ExpectPlayed(Since(pressed), where + ": the About window opens");
    if (!about) return;
    PostMessageW(about, WM_CLOSE, 0, 0);
    Expect(run.WaitGone(WindowId::frmAbout), where + ": the About window closes");
}

// X: is mapped onto the game directory by with_drive_x.sh: X:\kr2_s1.exe,
// X:\kr2sp.exe and X:\Install, so ProgramDir is "X:\".
TEST(HardeningDriveRoot, ProgramDirAtADriveRoot) {
    GameLayout layout(L"hardening_root");
    if (!Expect(e2e::FileExists(L"X:\\kr2_s1.exe"), "X: shows the game directory (with_drive_x.sh maps it)"))
        return;
    for (const wchar_t* cue : {L"click.WAV", L"start.WAV"})
        e2e::WriteWav(layout.GameDir() + L"\\Install\\" + cue, kCueMs);

    LauncherRun run(L"X:\\kr2_s1.exe", L"X:\\", layout.Log());
    HWND main = run.WaitWindow(WindowId::frmMain);
    if (!main) return;
    TimedAbout(run, main, "drive root");

    HWND games = run.Open(WindowId::Games);
    if (!games) return;
    const std::uint64_t pressed = e2e::NowMs();
    run.Press(games, WindowId::Games, L"&Player 3");
    ExpectStarted(layout.Log(), 1, L"X:\\kr2sp.exe", L"kr2sp.exe   +set fs_game players_kr2\\Player3_saves", L"X:\\",
                  "drive root, Player 3");
    ExpectPlayed(Since(pressed), "drive root: Player 3 starts the game");
    ExpectCleanEnd(run.Pid(), "drive root, Player 3");
    ExpectNoMessageBox("drive root");
}

// Every kind of press once: the cues are found through the foreign folder
// name, and every program starts with it intact in its paths.
TEST(HardeningProgramDir, UnicodeProgramDir) {
    GameLayout layout(L"Кестрейн II 游戏 hardening");
    for (const wchar_t* cue : {L"open.WAV", L"click.WAV", L"start.WAV"}) layout.WriteCue(cue, kCueMs);
    e2e::PrefixStub notepad(e2e::kNotepadPath);
    e2e::PrefixStub explorer(e2e::kExplorerPath);
    const std::wstring game = layout.GameDir();
    {
        LauncherRun run(layout);
        HWND main = run.WaitWindow(WindowId::frmMain, kCueMs + 8000);
        ExpectPlayed(Since(run.StartedAtMs()), "Unicode: the main window appears");
        if (!main) return;
        TimedAbout(run, main, "Unicode");

        const std::uint64_t pressed = e2e::NowMs();
        run.Press(main, WindowId::frmMain, L"&Readme");
        ExpectStarted(layout.Log(), 1, e2e::kNotepadPath, L"C:\\Windows\\Notepad.exe ..\\Install\\readme.txt", game,
                      "Unicode, Readme");
        ExpectPlayed(Since(pressed), "Unicode: the readme opens");

        HWND about = run.Open(WindowId::frmAbout);
        run.Press(main, WindowId::frmMain, L"&Start Kestrane II Multiplayer");
        ExpectStarted(layout.Log(), 2, game + L"\\kr2mp.exe", L"kr2mp.exe", game, "Unicode, Multiplayer");
        Expect(run.WaitGone(WindowId::frmMain), "Unicode: the main window closes after the multiplayer start");
        if (about) PostMessageW(about, WM_CLOSE, 0, 0);
        ExpectCleanEnd(run.Pid(), "Unicode, the last window closed");
    }
    {
        LauncherRun run(layout);
        HWND main = run.WaitWindow(WindowId::frmMain, kCueMs + 8000);
        if (!main) return;
        run.Press(main, WindowId::frmMain, L"&Home Page");
        const auto records = layout.Log().WaitFor(1, 5000);
        if (ExpectEq(records.size(), std::size_t{1}, "Unicode, Home Page: programs started"))
            ExpectRan(records[0], "Unicode, Home Page", e2e::kExplorerPath, game);
        ExpectCleanEnd(run.Pid(), "Unicode, Home Page");
    }
    {
        LauncherRun run(layout);
        HWND games = run.Open(WindowId::Games);
        if (!games) return;
        run.Press(games, WindowId::Games, L"&Player 5");
        ExpectStarted(layout.Log(), 1, game + L"\\kr2sp.exe", L"kr2sp.exe   +set fs_game players_kr2\\Player5_saves",
                      game, "Unicode, Player 5");
        ExpectCleanEnd(run.Pid(), "Unicode, Player 5");
    }
    ExpectNoMessageBox("Unicode");
}

// A case directory whose game directory (ProgramDir) is `length` characters.
std::wstring DeepCaseName(const wchar_t* base, std::size_t length) {
    const std::size_t fixed = std::wstring(L"C:\\kr2e2e\\").size() + std::wstring(L"\\Game").size();
    std::wstring name = base;
    for (wchar_t c = L'a'; fixed + name.size() < length; ++c) {
        const std::size_t left = length - fixed - name.size() - 1;
        name += L"\\" + std::wstring(left < 60 ? left : 60, c);
    }
    return name;
}

// Cues play, the game starts from beside the launcher with its full path,
// and the launcher ends cleanly.
void CheckDeepLayout(const GameLayout& layout, LauncherRun& run, const std::string& n) {
    const std::wstring game = layout.GameDir();
    HWND main = run.WaitWindow(WindowId::frmMain, kCueMs + 8000);
    ExpectPlayed(Since(run.StartedAtMs()), n + ": the main window appears");
    if (!main) return;
    TimedAbout(run, main, n);
    HWND games = run.Open(WindowId::Games);
    if (!games) return;
    run.Press(games, WindowId::Games, L"&Player 2");
    ExpectStarted(layout.Log(), 1, game + L"\\kr2sp.exe", L"kr2sp.exe   +set fs_game players_kr2\\Player2_saves",
                  game, n + ", Player 2");
    ExpectCleanEnd(run.Pid(), n + ", Player 2");
    ExpectNoMessageBox(n);
}

// The deepest layout CreateProcessW can start a program from: ProgramDir of
// 248 characters, so kr2_s1.exe and kr2sp.exe just fit in MAX_PATH while
// every cue path (ProgramDir plus 20 or 21) is past it.
TEST(HardeningProgramDir, LongProgramDir) {
    GameLayout layout(DeepCaseName(L"hardening_deep", 248));
    ExpectEq(layout.GameDir().size(), std::size_t{248}, "length of the deep game directory");
    for (const wchar_t* cue : {L"open.WAV", L"click.WAV", L"start.WAV"}) layout.WriteCue(cue, kCueMs);
    LauncherRun run(layout);
    CheckDeepLayout(layout, run, "ProgramDir of 248 characters");
}

// ProgramDir of 300 characters, started from the host's shell (Wine's
// CreateProcessW refuses a program path past MAX_PATH, for the launcher as
// for the game beside it). The whole ProgramDir is read: the cues under
// ..\Install play. Notepad, named by its full path, starts with the readme
// line intact. kr2mp.exe beside the launcher is past what the platform can
// start: the press ends quietly, the window closes, no box.
TEST(HardeningProgramDir, ProgramDirPastMaxPath) {
    const std::string n = "ProgramDir of 300 characters";
    GameLayout layout(DeepCaseName(L"hardening_deeper", 300));
    ExpectEq(layout.GameDir().size(), std::size_t{300}, "length of the deeper game directory");
    for (const wchar_t* cue : {L"open.WAV", L"click.WAV"}) layout.WriteCue(cue, kCueMs);
    e2e::PrefixStub notepad(e2e::kNotepadPath);

    LauncherRun run(LauncherRun::FromHostShell{}, layout);
    HWND main = run.WaitWindow(WindowId::frmMain, kCueMs + 8000);
    if (!main) return;
    TimedAbout(run, main, n);

    const std::uint64_t pressed = e2e::NowMs();
    run.Press(main, WindowId::frmMain, L"&Readme");
    ExpectStarted(layout.Log(), 1, e2e::kNotepadPath, L"C:\\Windows\\Notepad.exe ..\\Install\\readme.txt", L"Z:\\",
                  n + ", Readme");
    ExpectPlayed(Since(pressed), n + ": the readme opens");

    run.Press(main, WindowId::frmMain, L"&Start Kestrane II Multiplayer");
    Expect(run.WaitGone(WindowId::frmMain, kCueMs + 8000), n + ": the main window closes after the multiplayer press");
    ExpectEq(layout.Log().WaitFor(2, 1000).size(), std::size_t{1}, n + ": programs started (kr2mp.exe cannot be)");
    ExpectCleanEnd(run.Pid(), n + ", the last window closed");
    ExpectNoMessageBox(n);
}

// A DLL's file name in lower case, from its path or name.
std::wstring DllName(std::wstring path) {
    path.erase(0, path.find_last_of(L"\\/") + 1);
    for (wchar_t& c : path) c = static_cast<wchar_t>(towlower(c));
    return path;
}

// The DLLs in the launcher's process now.
std::set<std::wstring> DllsIn(DWORD pid) {
    std::set<std::wstring> names;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE) return names;
    MODULEENTRY32W m{};
    m.dwSize = sizeof m;
    for (BOOL more = Module32FirstW(snapshot, &m); more; more = Module32NextW(snapshot, &m))
        if (DllName(m.szModule) != L"kr2_s1.exe" && DllName(m.szModule) != DllName(e2e::InsideProbeDll()))
            names.insert(DllName(m.szModule));
    CloseHandle(snapshot);
    return names;
}

// The DLLs the loader brings in before the launcher's first instruction:
// those a debugger hears of before the process's first breakpoint, which
// the loader raises once the imports are in and before any of their code
// runs. The launcher then ends there.
std::set<std::wstring> DllsBeforeFirstInstruction(const std::wstring& exe, const std::wstring& dir) {
    std::set<std::wstring> names;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring line = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        dir.c_str(), &si, &pi))
        return names;
    for (DEBUG_EVENT e{}; WaitForDebugEvent(&e, 10000);) {
        if (e.dwDebugEventCode == EXCEPTION_DEBUG_EVENT &&
            e.u.Exception.ExceptionRecord.ExceptionCode == EXCEPTION_BREAKPOINT)
            break;
        if (e.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT && e.u.LoadDll.hFile) {
            wchar_t path[MAX_PATH] = {};
            if (GetFinalPathNameByHandleW(e.u.LoadDll.hFile, path, MAX_PATH, 0)) names.insert(DllName(path));
            CloseHandle(e.u.LoadDll.hFile);
        }
        if (e.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT && e.u.CreateProcessInfo.hFile)
            CloseHandle(e.u.CreateProcessInfo.hFile);
        ContinueDebugEvent(e.dwProcessId, e.dwThreadId, DBG_CONTINUE);
    }
    TerminateProcess(pi.hProcess, 1);
    DebugActiveProcessStop(pi.dwProcessId);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return names;
}

// The flags the exe's load configuration gives the loader for its imports'
// DLLs (DependentLoadFlags); nothing when it has none.
std::optional<WORD> DependentLoadFlags(const std::wstring& exe) {
    const HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!image) return std::nullopt;
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(image) & ~ULONG_PTR{3});
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG];
    std::optional<WORD> flags;
    const auto* config = reinterpret_cast<const IMAGE_LOAD_CONFIG_DIRECTORY64*>(base + entry.VirtualAddress);
    if (entry.VirtualAddress && entry.Size >= offsetof(IMAGE_LOAD_CONFIG_DIRECTORY64, EditList) &&
        config->Size == entry.Size)
        flags = config->Reserved1;  // DependentLoadFlags, by the older name of the headers
    FreeLibrary(image);
    return flags;
}

// What a player does in one run: every window, a cue, a screen reader's
// question, a DLL loaded by name as the platform's DLLs load them, and a
// launch of each error policy: the readme (fallback), the
// multiplayer game (errors ignored; it closes the main window), then the
// home page (unhandled), which ends the launcher. The DLLs in the process
// before the last launch, when `dlls` is given.
void Tour(const GameLayout& layout, std::set<std::wstring>* dlls = nullptr) {
    LauncherRun run(layout);
    HWND main = run.WaitWindow(WindowId::frmMain);
    if (!main) return;
    for (WindowId w : kAllWindows)
        if (w != WindowId::frmMain) run.Open(w);
    if (HWND picture = e2e::FindControl(main, e2e::Expected(WindowId::frmMain), 0))
        SendMessageW(picture, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    e2e::InsideProbe(main).Read(main, e2e::kProbeLoadByName);
    run.Press(main, WindowId::frmMain, L"&Readme");
    layout.Log().WaitFor(1, 5000);
    run.Press(main, WindowId::frmMain, L"&Start Kestrane II Multiplayer");
    layout.Log().WaitFor(2, 5000);
    if (dlls) dlls->merge(DllsIn(run.Pid()));
    if (HWND about = run.WaitWindow(WindowId::frmAbout)) PostMessageW(about, WM_CLOSE, 0, 0);
    run.Kill();
}

// Which of `names`, planted in `dir` as recording stand-ins, loaded in a
// player's run, or (`tour` false) in a run ended once all have loaded.
std::set<std::wstring> Planted(const GameLayout& layout, const std::wstring& dir, const std::set<std::wstring>& names,
                               bool tour = true) {
    std::vector<std::unique_ptr<e2e::SwappedFile>> planted;
    for (const std::wstring& name : names) {
        planted.push_back(std::make_unique<e2e::SwappedFile>(dir + L"\\" + name, e2e::SwappedFile::Kind::Absent));
        e2e::CopyFileTo(KR2_STUB_DLL, planted.back()->path());
    }
    if (tour) {
        Tour(layout);
    } else {
        LauncherRun run(layout);
        layout.Log().WaitFor(names.size(), 5000);
        run.Kill();
    }
    std::set<std::wstring> loaded;
    for (const e2e::StubRecord& r : layout.Log().Read())
        if (names.contains(DllName(r.module))) loaded.insert(DllName(r.module));
    return loaded;
}

std::string Names(const std::set<std::wstring>& names) {
    std::wstring all;
    for (const std::wstring& n : names) all += L" " + n;
    return e2e::Describe(all);
}

// No DLL that a player's whole run loads into the launcher is taken from
// beside it. Wine prefers its builtin DLLs, which would hide a planted
// copy: told to take a native copy first (for kr2_s1.exe alone, in the
// registry, where Wine 8 looks in a process started from another;
// WINEDLLOVERRIDES counts only for a process started from the host), it
// loads a planted one wherever the launcher lets it look. Recording
// stand-ins go beside the launcher under the name of every DLL loaded after
// its first instruction: none may load. Those loaded before it are the
// loader's alone, which the exe's load configuration directs (Wine 8 does
// not read it). In the system directory the same stand-ins do load: one
// loaded after the start by the launcher, one for the platform, one before
// the start (they export nothing, so each has a run of its own, which ends
// once it has loaded).
TEST(HardeningProgramDir, NoDllComesFromBesideTheLauncher) {
    static constexpr wchar_t kOverrides[] = L"Software\\Wine\\AppDefaults\\kr2_s1.exe";
    GameLayout layout(L"hardening_planted_dlls");
    layout.WriteCue(L"open.WAV", 100);
    e2e::PrefixStub notepad(e2e::kNotepadPath);
    e2e::PrefixStub explorer(e2e::kExplorerPath);
    const std::wstring exe = layout.GameDir() + L"\\kr2_s1.exe";

    // With its opening cue and without: the cue loads the sound DLLs, and
    // without it the keyboard's first window loads other ones first.
    std::set<std::wstring> all;
    Tour(layout, &all);
    GameLayout quiet(L"hardening_planted_dlls_quiet");
    Tour(quiet, &all);
    const std::set<std::wstring> early = DllsBeforeFirstInstruction(exe, layout.GameDir());
    std::set<std::wstring> later;
    for (const std::wstring& name : all)
        if (!early.contains(name)) later.insert(name);
    std::printf("DLLs before the first instruction:%s\nDLLs after it:%s\n", Names(early).c_str(),
                Names(later).c_str());
    Expect(later.contains(L"winmm.dll") && later.contains(L"oleacc.dll") && later.contains(L"msimg32.dll") &&
               later.contains(e2e::kProbeDllByName) && early.contains(L"user32.dll") &&
               early.contains(L"version.dll"),
           "the cue's, the screen reader's, the theme's and the one loaded by name load after the start; user32 "
           "and version before");
    const std::optional<WORD> flags = DependentLoadFlags(exe);
    Expect(flags == LOAD_LIBRARY_SEARCH_SYSTEM32,
           "the exe's load configuration asks for its imports' DLLs from the system directory alone; flags " +
               (flags ? std::to_string(*flags) : std::string("absent")));

    struct NativeFirst {
        explicit NativeFirst(const std::set<std::wstring>& names) {
            for (const std::wstring& name : names)
                RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kOverrides) + L"\\DllOverrides").c_str(),
                                name.substr(0, name.size() - 4).c_str(), REG_SZ, L"native,builtin",
                                sizeof L"native,builtin");
        }
        ~NativeFirst() { RegDeleteTreeW(HKEY_CURRENT_USER, kOverrides); }
    } nativeFirst(all);
    for (const GameLayout* run : {&layout, &quiet})
        ExpectEq(Names(Planted(*run, run->GameDir(), later)), std::string("[]"),
                 "stand-ins that loaded from beside the launcher");
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    for (const wchar_t* control : {L"winmm.dll", L"msimg32.dll", L"version.dll"})
        ExpectEq(Names(Planted(layout, system, {control}, false)), Names({control}),
                 "a stand-in loaded from the system directory");
}

}  // namespace
}  // namespace kr2::e2e
