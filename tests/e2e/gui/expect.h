#pragma once
// Table-driven checks on top of the shared harness: each failure names the
// window and control it is about, with the value expected and the one seen.

#include <source_location>
#include <string>

#include "check.h"

namespace kr2::gui {

inline bool Expect(bool ok, const std::string& what,
                   std::source_location at = std::source_location::current()) {
    return e2e::ReportCheck(ok, at.file_name(), static_cast<int>(at.line()), what);
}

template <class Seen, class Want>
bool ExpectEq(const Seen& seen, const Want& expected, const std::string& what,
              std::source_location at = std::source_location::current()) {
    const bool ok = seen == expected;
    return e2e::ReportCheck(ok, at.file_name(), static_cast<int>(at.line()),
                            ok ? what
                               : what + "\n      expected: " + e2e::Describe(expected) +
                                     "\n      seen:     " + e2e::Describe(seen));
}

}  // namespace kr2::gui
