#pragma once
// One scripted session of a player's use of the launcher, run with the
// fault harness in place (fault_plan.h), and the judgement of what it did
// against the design (fault_rows.h).
//
// The session: the launcher starts with its open cue present; every window
// opens, moves to a monitor at 144 DPI and back (see Moves), and closes, some from the
// keyboard and some with the mouse (the About window by a click on its
// icon); a screen reader asks for the picture; then one launch of each
// error policy: the readme (FallbackThenEnd), then multiplayer
// (IgnoreErrors), which closes the main window and so ends the launcher,
// and in a second launcher run the home page (Unhandled), whose start ends
// it too.

#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fault_plan.h"
#include "window_id.h"

namespace kr2::e2e {

// What the launcher holds with its main window alone, after every other
// window has opened and closed: GDI objects and icons it made and has not
// freed (counted by the harness as they come and go; Wine's own count also
// holds its cache of device contexts, which varies), and controls.
struct Checkpoint {
    bool reached = false;
    LONG gdiHeld = 0;
    LONG icons = 0;
    int childWindows = 0;
    bool operator==(const Checkpoint&) const = default;
};

// Which windows the session moves to 144 DPI and back: the two that show
// artwork (the main window's picture, About's icon), or every window, as
// scripts/faults sweeps.
enum class Moves { ArtworkWindows, EveryWindow };

struct SessionResult {
    Moves moves = Moves::ArtworkWindows;  // as the session was asked to
    bool completed = false;      // every step had its effect
    std::string stopped;         // where it stopped short, and why
    bool stuck = false;          // a step saw no progress for 10 s
    std::wstring box;            // the run-time error box's text, if one came up
    bool windowAfterBox = false; // a launcher window outlived the box
    std::vector<std::int64_t> exitCodes;  // each launcher run's; -1: it had to be killed
    std::string missingControl;  // a window that showed without all its controls
    std::set<WindowId> opened;   // the windows it saw open
    std::vector<std::wstring> started;  // the command lines the started programs received
    Checkpoint checkpoint;
    bool failedInAMove = false;  // the first failure came in a window's move to another DPI
    std::uint64_t ms = 0;
};

// Runs the session with `block`'s plan as it stands.
SessionResult RunSession(PlanBlock& block, Moves moves);

// What in `seen` goes against the design, for the failures the plan put in
// (`plan`, after the session); `clean` is the session without failures.
// Empty: as designed.
std::vector<std::string> Judge(const SessionResult& seen, const SessionResult& clean, const Plan& plan);

// "malloc #3" and the like, for reports.
std::string Describe(int row, LONG call);

}  // namespace kr2::e2e
