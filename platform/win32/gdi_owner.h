#pragma once
// Move-only owners for the GDI and USER handles the windows create: each
// handle is freed exactly once, by whoever holds it last.

#include <windows.h>

#include <utility>

namespace kr2 {

template <class Handle, class Deleter>
class HandleOwner {
public:
    HandleOwner() = default;
    explicit HandleOwner(Handle h) noexcept : h_(h) {}
    ~HandleOwner() { Free(); }

    HandleOwner(const HandleOwner&) = delete;
    HandleOwner& operator=(const HandleOwner&) = delete;
    HandleOwner(HandleOwner&& other) noexcept : h_(std::exchange(other.h_, Handle{})) {}
    HandleOwner& operator=(HandleOwner&& other) noexcept {
        if (this != &other) {
            Free();
            h_ = std::exchange(other.h_, Handle{});
        }
        return *this;
    }

    Handle get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Handle{}; }

private:
    void Free() noexcept {
        if (h_) Deleter{}(h_);
        h_ = Handle{};
    }
    Handle h_{};
};

struct GdiObjectDeleter {
    void operator()(HGDIOBJ h) const noexcept { DeleteObject(h); }
};
struct IconDeleter {
    void operator()(HICON h) const noexcept { DestroyIcon(h); }
};

using FontOwner = HandleOwner<HFONT, GdiObjectDeleter>;
using BitmapOwner = HandleOwner<HBITMAP, GdiObjectDeleter>;
using IconOwner = HandleOwner<HICON, IconDeleter>;

}  // namespace kr2
