// The run-time error box's number, formatted without printf: the same text
// std::to_wstring gives, across the whole range of error numbers; and the
// box's whole text in its fixed buffer.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "decimal_text.h"
#include "run_time_error.h"

namespace kr2 {
namespace {

TEST(DecimalText, MatchesToWstringAtEveryDigitCountAndTheEdges) {
    const std::uint32_t values[] = {0u,         1u,         9u,         10u,        53u,
                                    99u,        100u,       999u,       1000u,      65535u,
                                    65536u,     999999u,    1000000u,   9999999u,   10000000u,
                                    99999999u,  100000000u, 999999999u, 1000000000u,
                                    2147483647u, 2147483648u, 2147942402u, 4294967295u};
    for (std::uint32_t v : values) EXPECT_EQ(DecimalText(v), std::to_wstring(v)) << v;
}

// Texts of room - 1, room and room + 1 characters: the first whole, the
// others cut to room - 1, each ended by a null in the last place and
// nothing written after the buffer.
TEST(RunTimeErrorText, FillsItsBufferToTheLastPlaceAndNoFurther) {
    constexpr std::size_t kRoom = kRunTimeErrorTextRoom;
    const std::wstring head = L"Run-time error '2147942402':\r\n\r\n";
    for (std::size_t length : {kRoom - 1, kRoom, kRoom + 1}) {
        std::wstring description;
        while (head.size() + description.size() < length) description += static_cast<wchar_t>(L'a' + description.size() % 26);
        struct {
            wchar_t text[kRoom];
            wchar_t after[4] = {L'#', L'#', L'#', L'#'};
        } buffer;
        std::fill(std::begin(buffer.text), std::end(buffer.text), L'#');
        WriteRunTimeErrorText({2147942402u, description}, buffer.text);
        EXPECT_EQ(std::wstring_view(buffer.text, kRoom), (head + description).substr(0, kRoom - 1) + L'\0') << length;
        EXPECT_EQ(std::wstring_view(buffer.after, 4), L"####") << length;
    }
    // The launcher's own numbers come with their words.
    wchar_t text[kRoom];
    WriteRunTimeErrorText({kOutOfMemory, {}}, text);
    EXPECT_STREQ(text, L"Run-time error '7':\r\n\r\nOut of memory");
    WriteRunTimeErrorText({kInternalError, {}}, text);
    EXPECT_STREQ(text, L"Run-time error '51':\r\n\r\nInternal error");
}

}  // namespace
}  // namespace kr2
