#pragma once
// Owns one kernel HANDLE and closes it exactly once. Move-only: a copy would
// close the same handle twice.

#include <windows.h>

#include <utility>

namespace kr2 {

class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    // Takes ownership. Both "no handle" values (null and INVALID_HANDLE_VALUE)
    // are treated as empty, since different APIs fail with different ones.
    explicit UniqueHandle(HANDLE handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const noexcept { return handle_; }
    bool valid() const noexcept { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    explicit operator bool() const noexcept { return valid(); }

    HANDLE release() noexcept { return std::exchange(handle_, nullptr); }
    void reset(HANDLE handle = nullptr) noexcept {
        const HANDLE old = std::exchange(handle_, handle);
        if (old != nullptr && old != INVALID_HANDLE_VALUE) CloseHandle(old);
    }

private:
    HANDLE handle_ = nullptr;
};

}  // namespace kr2
