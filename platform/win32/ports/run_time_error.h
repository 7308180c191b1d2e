#pragma once
// The run-time error box's own numbers and caption.

#include <cstdint>

namespace kr2 {

// For failures that do not come from the platform; they travel without a
// description, so that reporting one needs no memory, and the box gives
// their words ("Out of memory", "Internal error").
inline constexpr std::uint32_t kOutOfMemory = 7;
inline constexpr std::uint32_t kInternalError = 51;

inline constexpr wchar_t kErrorBoxCaption[] = L"kr2_s1";

}  // namespace kr2
