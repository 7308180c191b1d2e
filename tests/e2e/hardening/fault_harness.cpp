#include "fault_harness.h"

#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <oleacc.h>

#include <cstring>
#include <type_traits>

namespace kr2::e2e {
namespace {

Plan* plan = nullptr;
void* real[kRowCount] = {};  // what each wrapper calls when it lets the call through
// The MinGW runtime's start-up, which the linker puts first in the code, up
// to the entry point: its copy of the command line fails on a null malloc in
// any MinGW program, before the launcher's first line. Its calls are the
// platform's; they pass uncounted.
ULONG_PTR runtimeStartupEnd = 0;

// splitmix64's mix: the draw for one call of one function.
ULONG64 Draw(ULONG64 seed, int row, LONG call) {
    ULONG64 z = seed + 0x9E3779B97F4A7C15ull * (static_cast<ULONG64>(row) << 32 | static_cast<ULONG>(call));
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// Counts the call and says whether it fails; a failure leaves the plan's
// last error, or keeps the one it found. `from`: the launcher's code that
// called.
bool FailNow(int row, void* from) {
    const DWORD found = GetLastError();
    if (reinterpret_cast<ULONG_PTR>(from) < runtimeStartupEnd) return false;
    const LONG call = ++plan->calls[row];
    const bool planned = (plan->row == row && (call == plan->from || (plan->onward && call > plan->from))) ||
                         (plan->secondRow == row && plan->firstFailedRow >= 0 && call == plan->secondFrom);
    const bool drawn = plan->permille > 0 && static_cast<LONG>(Draw(plan->seed, row, call) % 1000) < plan->permille;
    if (!planned && !drawn) return false;
    if (plan->failed[row]++ == 0 && plan->firstFailedRow < 0) {
        plan->firstFailedRow = row;
        plan->firstFailedCall = call;
        plan->firstFailedFrom = reinterpret_cast<ULONG64>(from) - reinterpret_cast<ULONG64>(GetModuleHandleW(nullptr));
        if (plan->secondRow >= 0) plan->secondFrom += plan->calls[plan->secondRow];
    }
    SetLastError(plan->error == kStaleError ? found : plan->error);
    return true;
}

// Where failures set no number, a call let through that leaves none leaves
// kEarlierError, as a call before a failure may.
void LeaveEarlierError() {
    if (plan->error == kStaleError && GetLastError() == ERROR_SUCCESS) SetLastError(kEarlierError);
}

template <class R>
R FailedValue(Fails fails) {
    if constexpr (std::is_pointer_v<R>) {
        return fails == Fails::MinusOne ? reinterpret_cast<R>(static_cast<INT_PTR>(-1)) : nullptr;
    } else {
        return static_cast<R>(fails == Fails::MinusOne ? -1 : fails == Fails::OutOfMemory ? E_OUTOFMEMORY : 0);
    }
}

// The declarations' attributes (malloc's, FormatMessageW's) are no part of
// the wrapper's type.
#pragma GCC diagnostic ignored "-Wignored-attributes"

// The GDI objects and device contexts the launcher makes: counted as held
// until it frees them.
constexpr bool MakesGdiObject(int row) {
    return row == k_CreateFontW || row == k_CreateCompatibleDC || row == k_CreateDIBSection || row == k_GetDC ||
           row == k_BeginPaint;
}

template <int Row, class F>
struct Faulty;
template <int Row, class R, class... A>
struct Faulty<Row, R (*)(A...)> {
    static R Call(A... args) { return Through(__builtin_return_address(0), args...); }
    static R Through(void* from, A... args) {
        if (FailNow(Row, from)) return FailedValue<R>(kRows[Row].fails);
        const R result = reinterpret_cast<R (*)(A...)>(real[Row])(args...);
        if constexpr (MakesGdiObject(Row)) plan->gdiHeld += result ? 1 : 0;
        LeaveEarlierError();
        return result;
    }
};
template <int Row, class R, class... A>
struct Faulty<Row, R (*)(A...) noexcept> : Faulty<Row, R (*)(A...)> {};

// Icons are the USER objects the launcher makes besides its windows.
HANDLE WINAPI CountedLoadImage(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags) {
    HANDLE image = Faulty<k_LoadImageW, decltype(&LoadImageW)>::Through(__builtin_return_address(0), instance, name,
                                                                           type, cx, cy, flags);
    if (image && type == IMAGE_ICON && !(flags & LR_SHARED)) ++plan->iconsHeld;
    return image;
}

UINT WINAPI HandedDpi(HWND window) {
    const UINT dpi =
        Faulty<k_GetDpiForWindow, decltype(&GetDpiForWindow)>::Through(__builtin_return_address(0), window);
    return dpi && plan->windowDpi ? plan->windowDpi : dpi;
}

// An icon a control still draws after the launcher destroyed it: the
// platform no longer knows the handle.
BOOL WINAPI CheckedDrawIcon(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH brush, UINT flags) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) ++plan->deadIconsDrawn;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return Faulty<k_DrawIconEx, decltype(&DrawIconEx)>::Through(__builtin_return_address(0), dc, x, y, icon, cx, cy,
                                                                  step, brush, flags);
}

// The box's text as the launcher hands it over.
int WINAPI RecordedMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    ++plan->boxes;
    lstrcpynW(plan->boxText, text ? text : L"", 256);
    plan->boxAnswer = Faulty<k_MessageBoxW, decltype(&MessageBoxW)>::Through(__builtin_return_address(0), owner, text,
                                                                              caption, type);
    return plan->boxAnswer;
}

// The calls that free what the launcher made, counted down as they succeed.
template <auto Free, LONG Plan::*Held>
struct Freeing;
template <class R, class... A, R (*Free)(A...), LONG Plan::*Held>
struct Freeing<Free, Held> {
    static inline R (*real)(A...) = nullptr;
    static R Call(A... args) {
        const R result = real(args...);
        plan->*Held -= result ? 1 : 0;
        return result;
    }
};
template <auto Free>
using GdiFreeing = Freeing<Free, &Plan::gdiHeld>;

struct Counter {
    const char* name;
    void* call;
    void** real;
};

template <class F>
Counter Count(const char* name) {
    return {name, reinterpret_cast<void*>(&F::Call), reinterpret_cast<void**>(&F::real)};
}

struct Wrapper {
    const char* name;
    void* call;
};

Wrapper kWrappers[kRowCount] = {
#define KR2_FAULT_WRAPPER(function, outcome, fails) \
    {#function, reinterpret_cast<void*>(&Faulty<k_##function, decltype(&function)>::Call)},
    KR2_FAULT_ROWS(KR2_FAULT_WRAPPER)
#undef KR2_FAULT_WRAPPER
};

// The launcher's look-ups get the wrapper of a function in the table, which
// then calls what the platform handed out; absent stays absent.
FARPROC WINAPI HandOut(HMODULE module, LPCSTR name) {
    const auto found =
        Faulty<k_GetProcAddress, decltype(&GetProcAddress)>::Through(__builtin_return_address(0), module, name);
    if (!found || IS_INTRESOURCE(name)) return found;
    for (int row = 0; row < kRowCount; ++row) {
        if (std::strcmp(kWrappers[row].name, name) != 0) continue;
        real[row] = reinterpret_cast<void*>(found);
        return reinterpret_cast<FARPROC>(row == k_GetDpiForWindow ? reinterpret_cast<void*>(&HandedDpi)
                                                                  : kWrappers[row].call);
    }
    return found;
}

// Points the launcher's import slot of `function` (from any DLL) at
// `replacement`; returns what the slot held, or nullptr if it has none.
void* PatchImport(const char* function, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports); imports && d->Name; ++d) {
        auto* name = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; name->u1.AddressOfData; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal) ||
                std::strcmp(reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData)->Name,
                            function) != 0)
                continue;
            DWORD old = 0;
            if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return nullptr;
            void* was = reinterpret_cast<void*>(slot->u1.Function);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(slot, sizeof *slot, old, &old);
            return was;
        }
    }
    return nullptr;
}

}  // namespace

void AttachHarness(Plan* given) noexcept {
    if (plan || !given) return;
    plan = given;
    ++plan->attached;
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    runtimeStartupEnd = reinterpret_cast<ULONG_PTR>(base) + nt->OptionalHeader.AddressOfEntryPoint;
    for (int row = 0; row < kRowCount; ++row) {
        void* call = row == k_GetProcAddress ? reinterpret_cast<void*>(&HandOut)
                     : row == k_LoadImageW   ? reinterpret_cast<void*>(&CountedLoadImage)
                     : row == k_DrawIconEx   ? reinterpret_cast<void*>(&CheckedDrawIcon)
                     : row == k_MessageBoxW  ? reinterpret_cast<void*>(&RecordedMessageBox)
                                             : kWrappers[row].call;
        if (void* was = PatchImport(kRows[row].function, call)) real[row] = was;
    }
    const Counter frees[] = {
        Count<GdiFreeing<&DeleteObject>>("DeleteObject"), Count<GdiFreeing<&DeleteDC>>("DeleteDC"),
        Count<GdiFreeing<&ReleaseDC>>("ReleaseDC"), Count<GdiFreeing<&EndPaint>>("EndPaint"),
        Count<Freeing<&DestroyIcon, &Plan::iconsHeld>>("DestroyIcon")};
    for (const Counter& c : frees) *c.real = PatchImport(c.name, c.call);
}

Plan* AttachedPlan() noexcept { return plan; }

}  // namespace kr2::e2e

// Injected at start-up, the harness reads its plan from the block the
// driver named; only into the launcher (the driver loads this DLL too, to
// hook the launcher's thread).
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t exe[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    if (n < 10 || lstrcmpiW(exe + n - 10, L"kr2_s1.exe") != 0) return TRUE;
    wchar_t name[64] = {};
    if (!GetEnvironmentVariableW(kr2::e2e::kPlanVariable, name, 64)) return TRUE;
    if (HANDLE map = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name)) {
        // The view stays for the life of the launcher.
        if (void* view = MapViewOfFile(map, FILE_MAP_WRITE, 0, 0, sizeof(kr2::e2e::Plan)))
            kr2::e2e::AttachHarness(static_cast<kr2::e2e::Plan*>(view));
    }
    return TRUE;
}
