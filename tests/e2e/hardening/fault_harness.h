#pragma once
// The fault harness inside the launcher (part of the inside probe's DLL):
// it points the launcher's import slots of every function in fault_rows.h,
// and the pointers GetProcAddress hands it for the looked-up ones, at
// wrappers that count each call and fail the ones the plan names.

#include "fault_plan.h"

namespace kr2::e2e {

// Goes into the running launcher with `plan`, once; later calls keep the
// first plan. Loaded before the launcher's first instruction (the driver
// starts it suspended), it sees every call from start-up on.
void AttachHarness(Plan* plan) noexcept;

// The plan in force, or nullptr before AttachHarness.
Plan* AttachedPlan() noexcept;

}  // namespace kr2::e2e
