#pragma once

#include <cstddef>
#include <string_view>

namespace kr2 {

// The five windows, each of which exists at most once.
enum class WindowId { frmMain, Games, Options, spmaps, frmAbout };
inline constexpr std::size_t kWindowCount = 5;

constexpr std::size_t Index(WindowId id) { return static_cast<std::size_t>(id); }

constexpr std::string_view WindowName(WindowId id) {
    switch (id) {
        case WindowId::frmMain: return "frmMain";
        case WindowId::Games: return "Games";
        case WindowId::Options: return "Options";
        case WindowId::spmaps: return "spmaps";
        case WindowId::frmAbout: return "frmAbout";
    }
    return {};
}

}  // namespace kr2
