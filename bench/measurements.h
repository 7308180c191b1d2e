#pragma once
// One measurement each: started, timed, and the programs ended again.
// A measurement that cannot be made ends the driver with a message.

#include <string>

#include "launch_types.h"
#include "show_watch.h"

namespace kr2::bench {

// Where the programs are. All of them sit in one directory without
// ..\Install, so every cue is absent.
struct Setup {
    std::wstring dir;
    std::wstring launcher;    // kr2_s1.exe
    std::wstring baseline;    // the plain bare window
    std::wstring baselineComctl;  // the bare window with comctl32 loaded, no manifest
    std::wstring baseline6;   // the bare window with the launcher's manifest
    std::wstring sameWindow;  // the launcher's main window, bare: the floor
    std::wstring before;      // another build of kr2_s1.exe to compare with, or empty
    std::wstring stamp;       // where the stub writes its counter reading
    const LaunchAction* multiplayer = nullptr;
};

Setup Locate();
[[noreturn]] void Fail(const char* what);

// Process creation to a visible top-level window captioned like the main
// window; createdMs gets the part up to that window's creation. args, if
// any, follow the program's quoted path on its command line. inProcessMs,
// for the same window started with "stamp", gets the time it took from its
// WinMain to its ShowWindow by its own counter readings.
double StartupMs(ShowWatch& watch, const std::wstring& exe, const Setup& s, double* createdMs,
                 const wchar_t* args = nullptr, double* inProcessMs = nullptr);

// BM_CLICK on the multiplayer button of a freshly started program to the
// first line of the stub's WinMain. extraArgs "button" asks the bare window
// for its button.
double PressMs(const std::wstring& exe, const wchar_t* extraArgs, const Setup& s);

// A bare CreateProcessW of the multiplayer line to the first line of the stub's WinMain.
double BareLaunchMs(const Setup& s);

// Peak working set, in KiB, of kr2_s1.exe with its five windows open, and of
// the bare window.
double FiveWindowsKiB(const Setup& s);
double BareWindowKiB(ShowWatch& watch, const Setup& s);

}  // namespace kr2::bench
