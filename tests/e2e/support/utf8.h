#pragma once
// UTF-16 <-> UTF-8 for the stub log and the console report.

#include <string>
#include <string_view>

namespace kr2::e2e {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

}  // namespace kr2::e2e
