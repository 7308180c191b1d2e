// kr2_s1.exe: start-up, the message loop, and the run-time error box for a
// failure that no handler caught.

#include <windows.h>
#include <commctrl.h>

#include <csignal>
#include <cstdlib>
#include <exception>

#include "describe_failure.h"
#include "dpi.h"
#include "launcher.h"
#include "message_loop.h"
#include "native_screen.h"
#include "run_time_error.h"
#include "system_dll.h"
#include "win32_ports.h"

#if defined(__GLIBCXX__)
// libstdc++'s default terminate handler prints the exception's demangled
// type, which links the whole demangler (70 KB of kr2_s1.exe) into it. No
// exception is meant to get that far, and a GUI program has no console.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif

namespace {

// The C++ runtime abort()s when it cannot allocate its exception state,
// which is taken at start-up for that reason: then memory has run out
// before anything else, and the box says so, as it does for memory running
// out later. The end is the one after the box at any other time.
void OutOfMemoryAtStart(int) {
    kr2::Win32ErrorBox().ShowRunTimeError(kr2::LaunchError{kr2::kOutOfMemory, {}});
    kr2::Win32ProgramEnd().EndProgram();
}

int Run(HINSTANCE instance) {
    kr2::Win32ProgramDir programDir;
    kr2::Win32FileProbe probe;
    kr2::Win32WavePlayer player;
    kr2::Win32ProcessLauncher processLauncher;
    kr2::Win32ErrorBox errorBox;
    kr2::Win32ProgramEnd end;
    kr2::NativeScreen screen(instance);
    kr2::Launcher launcher(
        kr2::LauncherPorts{screen, programDir, probe, player, processLauncher, errorBox, end});
    screen.Attach(launcher);

    int exitCode = 0;
    std::exception_ptr failure;
    try {
        kr2::NativeScreen::RegisterClasses(instance);
        launcher.Start();
        exitCode = kr2::RunMessageLoop(screen);
        failure = screen.TakeFailure();
    } catch (...) {
        failure = std::current_exception();
    }
    if (!failure) return exitCode;

    // The box pumps messages; the windows stay, but nothing reaches the
    // launcher any more.
    screen.Detach();
    errorBox.ShowRunTimeError(kr2::DescribeFailure(failure));
    end.EndProgram();
    return 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // DLLs that the platform's own DLLs load by name from now on (imm32 and
    // version among them) come from the system directory alone, never from
    // beside the launcher or the current directory; those that came in
    // before are the load configuration's (load_config.cpp). Where the
    // platform predates the call (before Windows 8 without its 2011 update),
    // the current directory at least goes out of the search.
    using SetDefaultFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault =
        kr2::SystemFunction<SetDefaultFn>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
    // The C++ runtime keeps its exception state in emulated thread-local
    // storage, allocated on the thread's first use and abort()ing when that
    // allocation fails. Taken now, so that memory running out later, even
    // before any other exception, still reaches the run-time error box. (The
    // call is declared pure: only a use of its result keeps it.)
    signal(SIGABRT, OutOfMemoryAtStart);
    volatile int exceptionState = std::uncaught_exceptions();
    static_cast<void>(exceptionState);
    signal(SIGABRT, SIG_DFL);
    // Wine loads a system DLL's delay-loaded imports by the old search,
    // which starts beside the launcher: uxtheme's msimg32 when it first
    // paints, imm32's ole32 (and with it combase and rpcrt4) when a window
    // first takes the keyboard. Loaded now from the system directory, they
    // are found loaded then. (After the exception state: a path is a string,
    // whose allocation may fail.)
    for (const wchar_t* dll : {L"msimg32.dll", L"ole32.dll"}) kr2::LoadSystemDll(dll);
    // The manifest asks for per-monitor v2; this covers a copy run without it.
    kr2::dpi::EnablePerMonitorAwareness();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        return Run(instance);
    } catch (...) {
        // Only the ports' own set-up can get here, before any window exists.
        return 1;
    }
}
