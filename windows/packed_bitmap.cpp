#include "packed_bitmap.h"

#include <algorithm>

namespace kr2 {
namespace {

constexpr std::uint8_t kMagic[] = {'K', 'R', 'P', '1'};
constexpr std::size_t kPackedHeader = 20;
// Far above any picture the launcher ships: a damaged size field cannot
// make it ask for gigabytes.
constexpr std::uint32_t kLargestFile = 16u << 20;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = kDibHeaderBytes;
constexpr std::int32_t kLargestSide = 1 << 15;

std::uint32_t Read32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t Read16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// The CRC-32 of zlib and PNG. The table is built on the stack for each call
// (2 KB of shifts, microseconds): the check runs on every start-up, and bit
// by bit it took over a millisecond for the main window's picture.
std::uint32_t Crc32(std::span<const std::uint8_t> data) {
    std::uint32_t table[256];
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = c >> 1 ^ (0xEDB88320u & (0u - (c & 1)));
        table[n] = c;
    }
    std::uint32_t crc = ~0u;
    for (std::uint8_t byte : data) crc = table[(crc ^ byte) & 0xFFu] ^ crc >> 8;
    return ~crc;
}

// The LZ stream after the header into `out`, which it must fill exactly
// while using up every input byte.
bool Expand(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out) {
    std::size_t at = 0, next = 0;
    unsigned flags = 1;  // the flag bits still unread, above them a marker bit
    while (at < out.size()) {
        if (flags == 1) {
            if (next == in.size()) return false;
            flags = in[next++] | 0x100u;
        }
        const bool literal = flags & 1;
        flags >>= 1;
        if (literal) {
            if (next == in.size()) return false;
            out[at++] = in[next++];
            continue;
        }
        if (in.size() - next < 2) return false;
        const std::size_t distance = (in[next] | (in[next + 1] >> 4) << 8) + 1;
        std::size_t length = (in[next + 1] & 15u) + kMinMatch;
        const bool longer = (in[next + 1] & 15u) == 15;
        next += 2;
        if (longer) {
            std::uint8_t more = 0;
            do {
                if (next == in.size()) return false;
                more = in[next++];
                length += more;
            } while (more == 255);
        }
        if (distance > at || length > out.size() - at) return false;
        // Byte by byte: a copy may overlap what it writes.
        for (; length; --length, ++at) out[at] = out[at - distance];
    }
    // Nothing left over, not even a set flag bit.
    return next == in.size() && (flags & (flags - 1)) == 0;
}

}  // namespace

bool UnpackBitmapFile(std::span<const std::uint8_t> packed, std::vector<std::uint8_t>& bmp) {
    bmp.clear();
    if (packed.size() < kPackedHeader || !std::equal(std::begin(kMagic), std::end(kMagic), packed.begin()))
        return false;
    const std::uint32_t size = Read32(&packed[4]);
    const std::uint32_t head = Read32(&packed[8]);
    const std::uint32_t stride = Read32(&packed[12]);
    if (size > kLargestFile || head > size || stride == 0) return false;

    std::vector<std::uint8_t> out(size);
    if (!Expand(packed.subspan(kPackedHeader), out)) return false;
    // Each row after the first was stored as its difference from the one above.
    for (std::size_t i = std::size_t{head} + stride; i < out.size(); ++i)
        out[i] = static_cast<std::uint8_t>(out[i] + out[i - stride]);
    if (Crc32(out) != Read32(&packed[16])) return false;
    bmp = std::move(out);
    return true;
}

bool FindDibParts(std::span<const std::uint8_t> bmp, DibParts& parts) {
    parts = {};
    if (bmp.size() < kFileHeader + kInfoHeader || bmp[0] != 'B' || bmp[1] != 'M') return false;
    const std::uint8_t* info = &bmp[kFileHeader];
    const std::uint32_t pixelsAt = Read32(&bmp[10]);
    const auto width = static_cast<std::int32_t>(Read32(info + 4));
    const auto height = static_cast<std::int32_t>(Read32(info + 8));
    if (Read32(info) != kInfoHeader || width <= 0 || width > kLargestSide || height <= 0 ||
        height > kLargestSide || Read16(info + 12) != 1 || Read16(info + 14) != 24 ||
        Read32(info + 16) != 0 || Read32(info + 32) != 0)
        return false;
    const std::size_t pixelBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4 * height;
    if (pixelsAt < kFileHeader + kInfoHeader || pixelsAt > bmp.size() ||
        bmp.size() - pixelsAt < pixelBytes)
        return false;
    parts = {info, &bmp[pixelsAt], pixelBytes, width, height};
    return true;
}

}  // namespace kr2
