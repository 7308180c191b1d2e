#include "resource_counts.h"

#include <winternl.h>

#include <vector>

namespace kr2::stress {
namespace {

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++*reinterpret_cast<int*>(param);
    return TRUE;
}

BOOL CALLBACK CountTop(HWND hwnd, LPARAM param) {
    auto* counts = reinterpret_cast<ResourceCounts*>(param);
    ++counts->topLevelWindows;
    EnumChildWindows(hwnd, CountChild, reinterpret_cast<LPARAM>(&counts->childWindows));
    return TRUE;
}

// One row of the system handle table (SystemHandleInformation, class 16).
struct SystemHandleEntry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ULONG access;
};

using QuerySystemInformationFn = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

// Wine's GetProcessHandleCount answers 0 for every process, but it does keep
// the system handle table: count the process's rows there.
DWORD HandlesInSystemTable(DWORD pid) {
    static const auto query = reinterpret_cast<QuerySystemInformationFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    constexpr ULONG kSystemHandleInformation = 16;
    constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
    std::vector<unsigned char> buffer(1 << 16);
    for (;;) {
        ULONG needed = 0;
        const NTSTATUS status =
            query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == kInfoLengthMismatch) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != 0) return 0;
        break;
    }
    const ULONG rows = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entry = reinterpret_cast<const SystemHandleEntry*>(buffer.data() + sizeof(ULONG_PTR));
    DWORD count = 0;
    for (ULONG i = 0; i < rows; ++i) count += entry[i].ownerPid == pid ? 1 : 0;
    return count;
}

}  // namespace

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

ResourceCounter::ResourceCounter(DWORD pid, HWND anyLauncherWindow)
    : pid_(pid),
      thread_(anyLauncherWindow ? GetWindowThreadProcessId(anyLauncherWindow, nullptr) : 0),
      process_(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid)) {}

ResourceCounter::~ResourceCounter() {
    if (process_) CloseHandle(process_);
}

ResourceCounts ResourceCounter::Count() const {
    ResourceCounts counts;
    EnumThreadWindows(thread_, CountTop, reinterpret_cast<LPARAM>(&counts));
    DWORD handles = 0;
    if (process_ && GetProcessHandleCount(process_, &handles) && handles > 0)
        counts.kernelHandles = handles;
    else
        counts.kernelHandles = HandlesInSystemTable(pid_);
    if (process_ && !RunningUnderWine()) {
        counts.guiCounted = true;
        counts.gdiObjects = GetGuiResources(process_, GR_GDIOBJECTS);
        counts.userObjects = GetGuiResources(process_, GR_USEROBJECTS);
    }
    return counts;
}

std::string Describe(const ResourceCounts& c) {
    std::string out = std::to_string(c.topLevelWindows) + " top-level and " + std::to_string(c.childWindows) +
                      " child windows, " + std::to_string(c.kernelHandles) + " kernel handles";
    if (c.guiCounted)
        out += ", " + std::to_string(c.gdiObjects) + " GDI and " + std::to_string(c.userObjects) + " USER objects";
    return out;
}

}  // namespace kr2::stress
