#pragma once
// Notices the moment a process shows a top-level window with a given caption.
// Wine reports the creation of another process's window to an out-of-context
// hook but not its showing, so the hook only names the candidates and the
// wait polls just those few handles for visibility, once a millisecond: the
// measured process sees almost no extra load. One watch at a time, used on
// the thread that made it.

#include <windows.h>

#include <vector>

namespace kr2::bench {

class ShowWatch {
public:
    ShowWatch();
    ~ShowWatch();
    ShowWatch(const ShowWatch&) = delete;
    ShowWatch& operator=(const ShowWatch&) = delete;

    explicit operator bool() const { return hook_ != nullptr; }

    // Watches for a top-level window of pid with this caption becoming visible.
    void Arm(DWORD pid, const wchar_t* caption);
    // The counter reading taken when the window was seen visible, or 0 on time-out.
    long long Wait(DWORD timeoutMs);
    // When the window's creation was reported (within a millisecond), or 0.
    long long CreatedAt() const;

private:
    HWINEVENTHOOK hook_ = nullptr;
};

}  // namespace kr2::bench
