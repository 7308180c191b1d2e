#include "stub_log.h"

#include <windows.h>

#include <string>

#include "utf8.h"

namespace kr2::e2e {

StubLog::StubLog(std::wstring path) : path_(std::move(path)) {
    Clear();
    SetEnvironmentVariableW(kStubLogVariable, path_.c_str());
}

void StubLog::Clear() const { DeleteFileW(path_.c_str()); }

void StubLog::WaitForWritersToEnd(unsigned timeoutMs) const {
    const ULONGLONG until = GetTickCount64() + timeoutMs;
    for (const StubRecord& record : Read()) {
        // A process that has gone cannot be opened: nothing to wait for.
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, record.processId);
        if (!process) continue;
        const ULONGLONG now = GetTickCount64();
        WaitForSingleObject(process, now < until ? static_cast<DWORD>(until - now) : 0);
        CloseHandle(process);
    }
}

std::vector<StubRecord> StubLog::Read() const {
    std::vector<StubRecord> records;
    HANDLE h = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return records;
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(h);

    // Only lines that end in LF are complete; a stub may be mid-write.
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
        StubRecord record;
        if (ParseRecord(FromUtf8(std::string_view(bytes).substr(start, end - start)), record))
            records.push_back(std::move(record));
    }
    return records;
}

std::vector<StubRecord> StubLog::WaitFor(std::size_t count, unsigned timeoutMs) const {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        std::vector<StubRecord> records = Read();
        if (records.size() >= count || GetTickCount64() >= deadline) return records;
        Sleep(20);
    }
}

}  // namespace kr2::e2e
