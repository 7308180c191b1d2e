#pragma once
// The main window's picture travels in the executable packed (see
// scripts/make_assets.py for the layout) and is expanded back into the .bmp
// file it was made from. Portable: no <windows.h>, so it is tested natively.
// The packed bytes are treated as untrusted: any input that is not a whole,
// intact packed picture is refused without reading or writing out of bounds.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kr2 {

// The .bmp file `packed` was made from, or false (and `bmp` empty).
bool UnpackBitmapFile(std::span<const std::uint8_t> packed, std::vector<std::uint8_t>& bmp);

// The BITMAPINFOHEADER's size: the platform is handed a copy of this many
// bytes and nothing after them, so the header must be this one and imply no
// colour table.
inline constexpr std::size_t kDibHeaderBytes = 40;

// Where a .bmp file keeps its BITMAPINFOHEADER and pixel rows.
struct DibParts {
    const std::uint8_t* infoHeader = nullptr;  // kDibHeaderBytes, not aligned
    const std::uint8_t* pixels = nullptr;
    std::size_t pixelBytes = 0;
    int width = 0;
    int height = 0;
};

// Finds the parts of a bottom-up, uncompressed, 24 bits per pixel .bmp file
// with a 40-byte header that counts no colours (biClrUsed 0) and whose pixel
// rows all lie inside it; false for any other file.
bool FindDibParts(std::span<const std::uint8_t> bmp, DibParts& parts);

}  // namespace kr2
