#include "run_time_error.h"

#include <string_view>

#include "decimal_text.h"

namespace kr2 {
namespace {

// The words for the launcher's own numbers, which come without a text.
std::wstring_view OwnWords(std::uint32_t code) {
    switch (code) {
        case kOutOfMemory: return L"Out of memory";
        case kInternalError: return L"Internal error";
    }
    return {};
}

}  // namespace

void WriteRunTimeErrorText(const LaunchError& error, wchar_t (&out)[kRunTimeErrorTextRoom]) noexcept {
    std::size_t at = 0;
    auto put = [&](std::wstring_view text) {
        for (wchar_t c : text) {
            if (at + 1 < kRunTimeErrorTextRoom) out[at++] = c;
        }
    };
    wchar_t digits[10];
    put(L"Run-time error '");
    put({WriteDecimal(error.code, digits), digits + 10});
    put(L"':\r\n\r\n");
    put(error.description.empty() ? OwnWords(error.code) : std::wstring_view(error.description));
    out[at] = L'\0';
}

}  // namespace kr2
