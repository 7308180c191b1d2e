#pragma once
// Pixels as 0x00RRGGBB rows, top-down: what is on the screen, and the
// launcher's own artwork read from its executable, to compare the two.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace kr2::e2e {

struct Pixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb;
    std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

// What the screen shows in `rect` (screen coordinates).
Pixels CaptureScreen(const RECT& rect);

// The bitmap resource `id` of the module, at its own size.
std::optional<Pixels> BitmapResource(HMODULE module, int id);
// The icon resource `id` of the module drawn at `size` pixels onto `background`.
std::optional<Pixels> IconResource(HMODULE module, int id, int size, COLORREF background);

// The mean difference per colour channel (0..255) between `seen` and
// `source` scaled by `scale` with the nearest source pixel, over the part
// of `seen` that starts at its top-left and spans `width` x `height`.
double MeanDifference(const Pixels& seen, const Pixels& source, double scale, int width, int height);

}  // namespace kr2::e2e
