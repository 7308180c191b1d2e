#pragma once
// Owners for the handles the launcher makes, each freed exactly once by
// whoever holds it last (move-only: a copy would free it twice), and scopes
// that give a device context back what it held.

#include <windows.h>

#include <type_traits>
#include <utility>

namespace kr2 {

// Owns one handle; `Free` is a function object that releases it. Null means
// no handle, and for kernel handles so does INVALID_HANDLE_VALUE, which some
// functions return on failure instead.
template <class Handle, class Free>
class Owner {
public:
    Owner() noexcept = default;
    explicit Owner(Handle handle) noexcept : handle_(handle) {}
    ~Owner() { reset(); }

    Owner(Owner&& other) noexcept : handle_(other.release()) {}
    Owner& operator=(Owner&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return Valid(handle_); }
    Handle release() noexcept { return std::exchange(handle_, Handle{}); }
    // Keeps the thread's last error: a failure read after an owner has let
    // go (a scope left, a member replaced) still gives its own number.
    void reset(Handle handle = Handle{}) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (!Valid(old)) return;
        const DWORD error = GetLastError();
        Free{}(old);
        SetLastError(error);
    }

private:
    static bool Valid(Handle handle) noexcept {
        if constexpr (std::is_same_v<Handle, HANDLE>) return handle != nullptr && handle != INVALID_HANDLE_VALUE;
        return handle != nullptr;
    }
    Handle handle_{};
};

struct CloseKernelHandle {
    void operator()(HANDLE h) const noexcept { CloseHandle(h); }
};
struct CloseFindHandle {
    void operator()(HANDLE h) const noexcept { FindClose(h); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ h) const noexcept { DeleteObject(h); }
};
struct DestroyIconHandle {
    void operator()(HICON h) const noexcept { DestroyIcon(h); }
};
struct DeleteMemoryDc {
    void operator()(HDC h) const noexcept { DeleteDC(h); }
};

using UniqueHandle = Owner<HANDLE, CloseKernelHandle>;
using FindHandle = Owner<HANDLE, CloseFindHandle>;
using FontOwner = Owner<HFONT, DeleteGdiObject>;
using BitmapOwner = Owner<HBITMAP, DeleteGdiObject>;
using IconOwner = Owner<HICON, DestroyIconHandle>;
using MemoryDc = Owner<HDC, DeleteMemoryDc>;

// `object` selected into `dc` while this lives; then what the DC held before.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selection() {
        if (old_) SelectObject(dc_, old_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's device context (the screen's for nullptr) while this lives.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

}  // namespace kr2
