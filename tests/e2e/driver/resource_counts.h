#pragma once
// What the launcher holds, counted from outside: its windows, its kernel
// handles, its GDI objects and, where the platform reports them, its USER
// objects.

#include <windows.h>

#include <string>

namespace kr2::e2e {

// Wine answers GetGuiResources with 0 and is detected by the export only
// its ntdll has.
bool RunningUnderWine();

struct ResourceCounts {
    int topLevelWindows = 0;  // of the launcher's thread, hidden ones included
    int childWindows = 0;     // every descendant of those
    DWORD kernelHandles = 0;
    DWORD gdiObjects = 0;      // GetGuiResources, or under Wine its GDI handle table
    bool userCounted = false;  // GetGuiResources gave real numbers (not Wine)
    DWORD userObjects = 0;
};

class ResourceCounter {
public:
    // `anyLauncherWindow` names the launcher's user-interface thread.
    ResourceCounter(DWORD pid, HWND anyLauncherWindow);
    ~ResourceCounter();
    ResourceCounter(const ResourceCounter&) = delete;
    ResourceCounter& operator=(const ResourceCounter&) = delete;

    bool Ready() const { return process_ != nullptr && thread_ != 0; }
    ResourceCounts Count() const;

private:
    DWORD pid_;
    DWORD thread_;
    HANDLE process_;
};

std::string Describe(const ResourceCounts& c);

}  // namespace kr2::e2e
