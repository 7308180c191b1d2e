#pragma once
// The run-time error box's own numbers, caption and text. Portable: the box
// itself is the platform's, the text is written and tested here.

#include <cstddef>
#include <cstdint>

#include "ports.h"

namespace kr2 {

// For failures that do not come from the platform; they travel without a
// description, so that reporting one needs no memory, and the box gives
// their words ("Out of memory", "Internal error").
inline constexpr std::uint32_t kOutOfMemory = 7;
inline constexpr std::uint32_t kInternalError = 51;

inline constexpr wchar_t kErrorBoxCaption[] = L"kr2_s1";

// Room for the longest text the platform gives for an error number.
inline constexpr std::size_t kRunTimeErrorTextRoom = 1024;

// "Run-time error '<code>':\r\n\r\n<description>", the description being the
// launcher's own words for its numbers when there is none, written into a
// buffer of the caller's and cut short where it would not fit, always with
// its terminating null: the box must come up when memory has run out, which
// is one of the failures it reports.
void WriteRunTimeErrorText(const LaunchError& error, wchar_t (&out)[kRunTimeErrorTextRoom]) noexcept;

}  // namespace kr2
