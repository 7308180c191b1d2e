#pragma once
// Table-driven checks on GoogleTest: each failure names the window and
// control it is about, with the value expected and the one seen, at the
// caller's file and line. They return the condition so a step can stop early.

#include <gtest/gtest.h>

#include <source_location>
#include <sstream>
#include <string>

#include "utf8.h"

namespace kr2::e2e {
template <typename T>
std::string Describe(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}


inline bool Expect(bool ok, const std::string& what,
                   std::source_location at = std::source_location::current()) {
    if (!ok) ADD_FAILURE_AT(at.file_name(), static_cast<int>(at.line())) << what;
    return ok;
}

template <class Seen, class Want>
bool ExpectEq(const Seen& seen, const Want& expected, const std::string& what,
              std::source_location at = std::source_location::current()) {
    const bool ok = seen == expected;
    return Expect(ok,
                  ok ? what
                     : what + "\n      expected: " + e2e::Describe(expected) + "\n      seen:     " + e2e::Describe(seen),
                  at);
}

}  // namespace kr2::e2e
