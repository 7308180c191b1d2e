#pragma once
// UTF-16 <-> UTF-8 for the stub log and the console report.

#include <string>
#include <string_view>

namespace kr2::e2e {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

// Text for a failure message: UTF-8 in brackets, so leading and trailing
// blanks stay visible.
inline std::string Describe(std::wstring_view text) { return "[" + ToUtf8(text) + "]"; }
inline std::string Describe(std::string_view text) { return "[" + std::string(text) + "]"; }
inline std::string Describe(const std::wstring& text) { return Describe(std::wstring_view(text)); }
inline std::string Describe(const std::string& text) { return Describe(std::string_view(text)); }
inline std::string Describe(const wchar_t* text) { return Describe(std::wstring_view(text)); }
inline std::string Describe(const char* text) { return Describe(std::string_view(text)); }

}  // namespace kr2::e2e
