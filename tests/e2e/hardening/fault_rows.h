#pragma once
// Every platform call of the launcher's own that can fail on a machine short
// of resources, with what it returns when it fails and the outcome designed
// for its failure. One table: the fault harness fails the calls by it
// (fault_harness.cpp), the fault sessions hold what happens against it
// (fault_session.cpp, beside this file). Looked-up functions (the second part) are reached
// through the pointer GetProcAddress hands the launcher, the rest through
// its import slots.
//
//   GoesOn        tolerated by design: the session runs on as without the
//                 failure (a cue that cannot play is silence, as when its
//                 path cannot be told; a paint that gets no device context
//                 draws next time; a window without its icon)
//   ErrorBox      the run-time error box with the platform's error number
//                 for the call, then the end: no window left, exit code 0.
//                 A failure that sets no number (kStaleError in fault_plan.h)
//                 shows the launcher's own "Out of memory" (7), never a
//                 number an earlier call left
//   BoxUnlessMoving  ErrorBox, but in a window's move to another DPI the
//                 size question goes unanswered and the platform's size,
//                 scaled in a straight line, stands: goes on
//   MemoryBox     the box's "Out of memory" (7), then the end as above; or
//                 nothing a player can tell, where the C++ runtime does
//                 without (its reserve for exceptions, made at start-up)
//   LaunchPolicy  CreateProcessW: the error policy of the launch it made; its
//                 box gives the number as ErrorBox does
//   NoBox         the box itself could not be shown: the end all the same

namespace kr2::e2e {

enum class Outcome { GoesOn, ErrorBox, BoxUnlessMoving, MemoryBox, LaunchPolicy, NoBox };
// What a failed call returns: 0 (null, FALSE), -1 (INVALID_HANDLE_VALUE),
// or E_OUTOFMEMORY for the functions that return an HRESULT.
enum class Fails { Zero, MinusOne, OutOfMemory };

// X(function, outcome, fails)
#define KR2_FAULT_ROWS(X)                                  \
    X(malloc, MemoryBox, Zero)                             \
    X(calloc, MemoryBox, Zero)                             \
    X(realloc, MemoryBox, Zero)                            \
    X(GetModuleFileNameW, GoesOn, Zero)                    \
    X(GetModuleHandleW, GoesOn, Zero)                      \
    X(GetProcAddress, GoesOn, Zero)                        \
    X(LoadLibraryExW, GoesOn, Zero)                        \
    X(GetSystemDirectoryW, GoesOn, Zero)                   \
    X(FindFirstFileW, GoesOn, MinusOne)                    \
    X(CreateFileW, GoesOn, MinusOne)                       \
    X(GetFileSizeEx, GoesOn, Zero)                         \
    X(ReadFile, GoesOn, Zero)                              \
    X(WideCharToMultiByte, GoesOn, Zero)                   \
    X(GetShortPathNameW, GoesOn, Zero)                     \
    X(FindResourceW, ErrorBox, Zero)                       \
    X(LoadResource, ErrorBox, Zero)                        \
    X(LockResource, ErrorBox, Zero)                        \
    X(SizeofResource, ErrorBox, Zero)                      \
    X(CreateProcessW, LaunchPolicy, Zero)                  \
    X(FormatMessageW, GoesOn, Zero)                        \
    X(InitCommonControlsEx, GoesOn, Zero)                  \
    X(RegisterClassExW, ErrorBox, Zero)                    \
    X(LoadCursorW, GoesOn, Zero)                           \
    X(LoadImageW, GoesOn, Zero)                            \
    X(AdjustWindowRectEx, BoxUnlessMoving, Zero)           \
    X(CreateWindowExW, ErrorBox, Zero)                     \
    X(SetWindowSubclass, ErrorBox, Zero)                   \
    X(GetMessageW, ErrorBox, MinusOne)                     \
    X(MessageBoxW, NoBox, Zero)                            \
    X(GetDC, GoesOn, Zero)                                 \
    X(BeginPaint, GoesOn, Zero)                            \
    X(CreateFontW, ErrorBox, Zero)                         \
    X(CreateCompatibleDC, GoesOn, Zero)                    \
    X(CreateDIBSection, ErrorBox, Zero)                    \
    X(SelectObject, GoesOn, Zero)                          \
    X(GetObjectW, GoesOn, Zero)                            \
    X(GetTextFaceW, GoesOn, Zero)                          \
    X(GetTextMetricsW, GoesOn, Zero)                       \
    X(GetTextExtentPoint32W, GoesOn, Zero)                 \
    X(BitBlt, GoesOn, Zero)                                \
    X(StretchBlt, GoesOn, Zero)                            \
    X(DrawIconEx, GoesOn, Zero)                            \
    X(GetDeviceCaps, GoesOn, Zero)                         \
    X(PlaySoundW, GoesOn, Zero)                            \
    X(SetProcessDpiAwarenessContext, GoesOn, Zero)         \
    X(GetDpiForWindow, GoesOn, Zero)                       \
    X(GetDpiForSystem, GoesOn, Zero)                       \
    X(AdjustWindowRectExForDpi, BoxUnlessMoving, Zero)     \
    X(GetSystemMetricsForDpi, GoesOn, Zero)                \
    X(SetDialogDpiChangeBehavior, GoesOn, Zero)            \
    X(SetDialogControlDpiChangeBehavior, GoesOn, Zero)     \
    X(CreateStdAccessibleObject, GoesOn, OutOfMemory)      \
    X(LresultFromObject, GoesOn, OutOfMemory)              \
    X(SysAllocString, GoesOn, Zero)

enum Row : int {
#define KR2_FAULT_ROW_ID(function, outcome, fails) k_##function,
    KR2_FAULT_ROWS(KR2_FAULT_ROW_ID)
#undef KR2_FAULT_ROW_ID
    kRowCount
};

struct RowDesign {
    const char* function;
    Outcome designed;
    Fails fails;
};

inline constexpr RowDesign kRows[kRowCount] = {
#define KR2_FAULT_ROW_DESIGN(function, outcome, fails) {#function, Outcome::outcome, Fails::fails},
    KR2_FAULT_ROWS(KR2_FAULT_ROW_DESIGN)
#undef KR2_FAULT_ROW_DESIGN
};

}  // namespace kr2::e2e
