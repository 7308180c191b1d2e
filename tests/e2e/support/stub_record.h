#pragma once
// One line of the stub log: what a started stub saw of its own start.
// Fields are tab-separated; "%", tab, CR and LF inside a field are written
// as %25, %09, %0D and %0A, so runs of blanks and backslashes arrive intact.
// Field order: module path, command line, STARTUPINFO dwFlags,
// wShowWindow, current directory, process id. Encoding: UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

namespace kr2::e2e {

// The environment variable that names the log file; started programs
// inherit it from the test program.
inline constexpr wchar_t kStubLogVariable[] = L"KR2_STUB_LOG";

struct StubRecord {
    std::wstring module;
    std::wstring commandLine;
    std::uint32_t startupFlags = 0;
    std::uint32_t showWindow = 0;
    std::wstring currentDir;
    std::uint32_t processId = 0;
};

std::wstring EscapeField(std::wstring_view text);
std::wstring UnescapeField(std::wstring_view text);

// One record without its line end; FormatRecord and ParseRecord are inverse.
std::wstring FormatRecord(const StubRecord& record);
bool ParseRecord(std::wstring_view line, StubRecord& record);

}  // namespace kr2::e2e
