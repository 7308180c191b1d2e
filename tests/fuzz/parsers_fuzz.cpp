// libFuzzer targets for the parsers of bytes from outside the program (the
// cue file's head, the packed picture, the bitmap in it), one program each,
// KR2_FUZZ naming its check. More than "no crash": what a parser accepts can
// be read whole, and the header the platform reads is the one the launcher
// copies. A broken promise aborts; libFuzzer then prints the input (hex) and
// the file it wrote it to.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "packed_bitmap.h"
#include "wave_chunks.h"

namespace kr2 {
namespace {

std::uint32_t Le32(const std::uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t{p[3]} << 24; }

void Require(bool kept, const char* promise) {
    if (kept) return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

// Four bytes of how much longer the file is than its head, then the head:
// passed exactly when each chunk ahead of "data" whose header is in the head
// ends inside the file.
[[maybe_unused]] int CheckWave(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::string_view head(reinterpret_cast<const char*>(data) + 4, size - 4);
    const std::uint64_t fileSize = head.size() + std::uint64_t{Le32(data)};
    bool fits = true;
    const bool wave = head.size() >= 12 && head.starts_with("RIFF") && head.substr(8, 4) == "WAVE";
    for (std::size_t at = 12; wave && fits && at + 8 <= head.size() && head.substr(at, 4) != "data";) {
        const std::uint64_t chunk = Le32(data + 4 + at + 4);
        fits = at + 8 + chunk <= fileSize;
        at += 8 + chunk + chunk % 2;
    }
    Require(WaveChunksFitTheFile(head, fileSize) == fits, "passed exactly when the chunks read fit the file");
    return 0;
}

// The launcher hands the platform a copy of kDibHeaderBytes of the header,
// then copies pixelBytes into the bitmap the platform made from it.
[[maybe_unused]] int CheckDib(const std::uint8_t* data, std::size_t size) {
    DibParts parts;
    if (!FindDibParts({data, size}, parts)) {
        Require(!parts.infoHeader && !parts.pixels && !parts.pixelBytes, "a refused file leaves no parts");
        return 0;
    }
    const auto inside = [&](const std::uint8_t* p, std::size_t n) {
        const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(p) - reinterpret_cast<std::uintptr_t>(data);
        return at <= size && n <= size - at;
    };
    Require(inside(parts.infoHeader, kDibHeaderBytes) && inside(parts.pixels, parts.pixelBytes), "the parts lie inside the file");
    const std::uint8_t* h = parts.infoHeader;
    const auto width = static_cast<std::int32_t>(Le32(h + 4)), height = static_cast<std::int32_t>(Le32(h + 8));
    const unsigned bits = h[14] | h[15] << 8;
    const std::uint32_t compression = Le32(h + 16), colours = Le32(h + 32);
    // The platform reads biSize bytes, then the colour table they imply.
    const std::uint64_t table = (bits <= 8 && !colours ? 1u << bits : colours) + (compression == 3 ? 3 : 0);
    Require(Le32(h) == kDibHeaderBytes && table == 0, "the platform reads no more header than is copied");
    Require(width == parts.width && height == parts.height && compression == 0, "the parts are the header's");
    const std::int64_t w = width < 0 ? -std::int64_t{width} : width, rows = height < 0 ? -std::int64_t{height} : height;
    Require(parts.pixelBytes == static_cast<std::uint64_t>((w * bits + 31) / 32 * 4 * rows),
            "the pixel copy fills the platform's bitmap exactly");
    const std::vector<std::uint8_t> copied(parts.pixels, parts.pixels + parts.pixelBytes);
    return 0;
}

// Refused, nothing is left; accepted, the file is the size declared, and the
// bitmap in it is checked as the launcher uses it next. Declared sizes over
// 1 MB are passed over (clearing 16 MB for each input ran 100 inputs a
// second); the unit tests have both sides of the decoder's own limit.
[[maybe_unused]] int CheckPacked(const std::uint8_t* data, std::size_t size) {
    if (size >= 8 && Le32(data + 4) > 1u << 20) return -1;
    std::vector<std::uint8_t> bmp{0};
    const bool accepted = UnpackBitmapFile({data, size}, bmp);
    Require(accepted ? size >= 20 && bmp.size() == Le32(data + 4) : bmp.empty(), "the declared size, or nothing");
    return accepted ? CheckDib(bmp.data(), bmp.size()) : 0;
}

}  // namespace
}  // namespace kr2

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return kr2::KR2_FUZZ(data, size);
}
