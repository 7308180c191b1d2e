#pragma once
// Unsigned numbers as decimal text, digit by digit: std::to_wstring goes
// through the C library's wide printf, about 25 KB of kr2_s1.exe for the
// one number the run-time error box shows. Portable, tested natively.

#include <cstdint>
#include <string>

namespace kr2 {

// Writes `value` at the end of `digits` (4294967295 has ten) and returns
// where its first digit is; nothing is allocated.
inline wchar_t* WriteDecimal(std::uint32_t value, wchar_t (&digits)[10]) noexcept {
    wchar_t* first = digits + 10;
    do {
        *--first = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    return first;
}

inline std::wstring DecimalText(std::uint32_t value) {
    wchar_t digits[10];
    return std::wstring(WriteDecimal(value, digits), digits + 10);
}

}  // namespace kr2
