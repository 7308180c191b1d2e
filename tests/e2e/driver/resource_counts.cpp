#include "resource_counts.h"

#include <winternl.h>

#include <vector>

namespace kr2::e2e {
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

// Wine's GDI keeps its objects in a per-process handle table, which the PEB
// points to as on Windows (GdiSharedHandleTable): count the rows in use.
// Rows are 24 bytes; a non-zero type byte at offset 14 marks one in use.
DWORD GdiObjectsInHandleTable(HANDLE process) {
    using QueryProcessFn = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<QueryProcessFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return 0;
    constexpr std::size_t kTableInPeb = 0xF8;  // 64-bit PEB
    constexpr std::size_t kRows = 0x10000;
    constexpr std::size_t kRowSize = 24;
    ULONGLONG table = 0;
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, static_cast<const char*>(static_cast<void*>(basic.PebBaseAddress)) + kTableInPeb,
                           &table, sizeof table, &got) ||
        !table)
        return 0;
    std::vector<unsigned char> rows(kRows * kRowSize);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), rows.data(), rows.size(), &got)) return 0;
    DWORD count = 0;
    for (std::size_t i = 0; i < kRows; ++i) count += rows[i * kRowSize + 14] != 0 ? 1 : 0;
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
      process_(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid)) {}

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
        counts.userCounted = true;
        counts.gdiObjects = GetGuiResources(process_, GR_GDIOBJECTS);
        counts.userObjects = GetGuiResources(process_, GR_USEROBJECTS);
    } else if (process_) {
        counts.gdiObjects = GdiObjectsInHandleTable(process_);
    }
    return counts;
}

std::string Describe(const ResourceCounts& c) {
    std::string out = std::to_string(c.topLevelWindows) + " top-level and " + std::to_string(c.childWindows) +
                      " child windows, " + std::to_string(c.kernelHandles) + " kernel handles, " +
                      std::to_string(c.gdiObjects) + " GDI objects";
    if (c.userCounted) out += ", " + std::to_string(c.userObjects) + " USER objects";
    return out;
}

}  // namespace kr2::e2e
