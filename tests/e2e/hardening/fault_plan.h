#pragma once
// The plan of failures the fault harness puts into the launcher, and the
// calls it counts there: one block of shared memory, made by the driver and
// named to the launcher in KR2_FAULT_PLAN, so that the counts of a session
// go on across the launcher runs it makes.

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "fault_rows.h"

namespace kr2::e2e {

inline constexpr wchar_t kPlanVariable[] = L"KR2_FAULT_PLAN";

// Plan::error for a call that sets no error number when it fails: the last
// error stays as the call found it, 0 where the launcher cleared it first
// and otherwise whatever an earlier call left. The calls let through then
// leave kEarlierError where they leave no number.
inline constexpr DWORD kStaleError = 0xFFFFFFFF;
inline constexpr DWORD kEarlierError = ERROR_CAN_NOT_COMPLETE;

struct Plan {
    // Call `from` (1: the first) of row `row` fails, and where `onward`
    // every later call of it too; row -1: none.
    LONG row;
    LONG from;
    LONG onward;
    // And call `secondFrom` of `secondRow` counted from the first failure:
    // a failure behind it, for what runs only once something has failed (the
    // box, its words, the memory that reports the failure).
    LONG secondRow;
    LONG secondFrom;
    // The last error a failed call leaves, or kStaleError.
    DWORD error;
    // Or every failure-capable call fails with probability permille/1000,
    // drawn for each function's call number from `seed`: the same calls
    // fail for the same seed, whatever else the session does.
    LONG permille;
    ULONG64 seed;
    // Counted by the harness: calls and failures put in, by row; the first
    // failure put in; what the launcher holds of what it made (GDI objects
    // and device contexts, icons); launcher processes the harness went into.
    LONG calls[kRowCount];
    LONG failed[kRowCount];
    LONG firstFailedRow;
    LONG firstFailedCall;
    ULONG64 firstFailedFrom;  // where in kr2_s1.exe it was called from (an offset)
    LONG gdiHeld;
    LONG iconsHeld;
    LONG deadIconsDrawn;  // icons the launcher drew after it had destroyed them
    LONG attached;
    // The run-time error boxes the launcher asked for, and the last one's
    // text, as it handed it over: a box the session's own input closed at
    // once still counts.
    LONG boxes;
    wchar_t boxText[256];
    LONG boxAnswer;  // what the last box returned: IDOK once a player has answered it
    // The DPI GetDpiForWindow answers for every window (0: the platform's
    // own): the windows are then made at another DPI than the system's, as
    // on a second monitor under Windows.
    UINT windowDpi;
};

// The block the harness reads, named in KR2_FAULT_PLAN for every program
// started while it lives.
class PlanBlock {
public:
    PlanBlock() {
        static LONG made = 0;
        wchar_t name[64];
        std::swprintf(name, 64, L"kr2_fault_plan_%lu_%ld", GetCurrentProcessId(), ++made);
        map_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Plan), name);
        plan_ = map_ ? static_cast<Plan*>(MapViewOfFile(map_, FILE_MAP_WRITE, 0, 0, sizeof(Plan))) : nullptr;
        if (!plan_) throw std::runtime_error("cannot make the fault plan: error " + std::to_string(GetLastError()));
        *plan_ = Plan{};
        plan_->row = plan_->secondRow = plan_->firstFailedRow = -1;
        SetEnvironmentVariableW(kPlanVariable, name);
    }
    ~PlanBlock() {
        SetEnvironmentVariableW(kPlanVariable, nullptr);
        UnmapViewOfFile(plan_);
        CloseHandle(map_);
    }
    PlanBlock(const PlanBlock&) = delete;
    PlanBlock& operator=(const PlanBlock&) = delete;

    Plan& plan() { return *plan_; }
    // From now on (fault_session.cpp), call `from` of `row` fails with `error` (and every later
    // call of it where `onward`).
    void Fail(int row, LONG from, DWORD error, bool onward = false);
    // And call `from` of `row` too, counted from the first failure.
    void AlsoFail(int row, LONG from);
    // Every call fails with probability permille/1000, drawn from `seed`.
    void FailAtRandom(LONG permille, ULONG64 seed, DWORD error);

private:
    HANDLE map_ = nullptr;
    Plan* plan_ = nullptr;
};

}  // namespace kr2::e2e
