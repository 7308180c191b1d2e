#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kr2 {

// The five windows, each of which exists at most once: the one list every
// loop over windows takes, in the product and in the tests. A window is
// added here and nowhere else by hand; a switch over WindowId that misses
// one is a warning, and the tests treat warnings as errors.
#define KR2_WINDOWS(X) X(frmMain) X(Games) X(Options) X(spmaps) X(frmAbout)

#define KR2_WINDOW_ENUMERATOR(name) name,
enum class WindowId { KR2_WINDOWS(KR2_WINDOW_ENUMERATOR) };
#undef KR2_WINDOW_ENUMERATOR

#define KR2_WINDOW_ENTRY(name) WindowId::name,
inline constexpr std::array kAllWindows{KR2_WINDOWS(KR2_WINDOW_ENTRY)};
#undef KR2_WINDOW_ENTRY

inline constexpr std::size_t kWindowCount = kAllWindows.size();

constexpr std::size_t Index(WindowId id) { return static_cast<std::size_t>(id); }

// Tables indexed by Index() hold one slot per window, in this order.
constexpr bool ListedInEnumOrder() {
    for (std::size_t i = 0; i < kAllWindows.size(); ++i)
        if (Index(kAllWindows[i]) != i) return false;
    return true;
}
static_assert(ListedInEnumOrder(), "kAllWindows lists every WindowId once, in the enum's order");

constexpr std::string_view WindowName(WindowId id) {
    switch (id) {
#define KR2_WINDOW_NAME(name) \
    case WindowId::name: return #name;
        KR2_WINDOWS(KR2_WINDOW_NAME)
#undef KR2_WINDOW_NAME
    }
    return {};
}

}  // namespace kr2
