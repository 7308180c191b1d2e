// The run-time error box's number, formatted without printf: the same text
// std::to_wstring gives, across the whole range of error numbers.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "decimal_text.h"

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

}  // namespace
}  // namespace kr2
