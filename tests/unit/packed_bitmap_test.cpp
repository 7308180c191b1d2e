// The packed main-window picture: it expands to the shipped .bmp exactly,
// and damaged or hand-made input is refused without reading or writing
// outside the buffers.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "packed_bitmap.h"

namespace kr2 {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAsset(const std::string& name) {
    std::ifstream file(std::string(KR2_ASSETS_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void Put32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint32_t Crc32(const Bytes& data) {
    std::uint32_t crc = ~0u;
    for (std::uint8_t byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

// A packed file around a hand-written LZ stream that should give
// `expected`; no row filtering (the whole output is "head").
Bytes Packed(const Bytes& expected, const Bytes& stream) {
    Bytes out{'K', 'R', 'P', '1'};
    Put32(out, static_cast<std::uint32_t>(expected.size()));
    Put32(out, static_cast<std::uint32_t>(expected.size()));
    Put32(out, 1);
    Put32(out, Crc32(expected));
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
}

bool Unpack(const Bytes& packed, Bytes& bmp) { return UnpackBitmapFile(packed, bmp); }

class ShippedPicture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(packed.size(), 20u);
        ASSERT_EQ(bmp.size(), 177894u);
    }
    const Bytes packed = ReadAsset("picture.packed");
    const Bytes bmp = ReadAsset("picture.bmp");
};

TEST_F(ShippedPicture, ExpandsToTheBmpByteForByte) {
    Bytes out{1, 2, 3};
    ASSERT_TRUE(Unpack(packed, out));
    EXPECT_TRUE(out == bmp);
    EXPECT_LT(packed.size(), bmp.size() / 10);
}

TEST_F(ShippedPicture, DibPartsAreTheHeaderAndRowsOfThe312By190Picture) {
    DibParts parts;
    ASSERT_TRUE(FindDibParts(bmp, parts));
    EXPECT_EQ(parts.width, 312);
    EXPECT_EQ(parts.height, 190);
    EXPECT_EQ(parts.infoHeader, bmp.data() + 14);
    EXPECT_EQ(parts.pixels, bmp.data() + 54);
    EXPECT_EQ(parts.pixelBytes, 936u * 190u);
}

TEST_F(ShippedPicture, EveryTruncationIsRefused) {
    // All short lengths around the header and the end, a spread in between.
    for (std::size_t n = 0; n < packed.size(); n += (n < 300 || n + 300 > packed.size()) ? 1 : 97) {
        Bytes cut(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(n));
        Bytes out;
        EXPECT_FALSE(Unpack(cut, out)) << "length " << n;
        EXPECT_TRUE(out.empty());
    }
}

// Some changes still give the same file (a copy from another place that
// holds the same bytes); nothing damaged ever gives a different one.
TEST_F(ShippedPicture, ADamagedByteIsRefusedOrChangesNothing) {
    int refused = 0, tried = 0;
    for (std::size_t i = 0; i < packed.size(); i += (i < 100 || i + 100 > packed.size()) ? 1 : 151) {
        for (std::uint8_t flip : {0x01, 0x80, 0xFF}) {
            Bytes damaged = packed;
            damaged[i] ^= flip;
            Bytes out;
            ++tried;
            if (Unpack(damaged, out)) {
                EXPECT_TRUE(out == bmp) << "byte " << i << " ^ " << int{flip};
            } else {
                EXPECT_TRUE(out.empty());
                ++refused;
            }
        }
    }
    // Every header byte counts, and most of the stream's do.
    EXPECT_GT(refused, tried * 3 / 4);
}

TEST_F(ShippedPicture, EveryHeaderByteCounts) {
    for (std::size_t i = 0; i < 20; ++i) {
        Bytes damaged = packed;
        damaged[i] ^= 0x01;
        Bytes out;
        EXPECT_FALSE(Unpack(damaged, out)) << "byte " << i;
    }
}

TEST_F(ShippedPicture, TrailingBytesAreRefused) {
    Bytes longer = packed;
    longer.push_back(0);
    Bytes out;
    EXPECT_FALSE(Unpack(longer, out));
}

TEST(PackedStream, CopiesMayOverlapAndLongLengthsAddUp) {
    // 'a', then one copy at distance 1: 15 + 255 + 7 more than the minimum.
    const Bytes expected(1 + 3 + 15 + 255 + 7, 'a');
    Bytes out;
    ASSERT_TRUE(Unpack(Packed(expected, {0b01, 'a', 0x00, 0x0F, 255, 7}), out));
    EXPECT_TRUE(out == expected);

    // Distances use the high nibble too: a copy from 0x123 + 1 bytes back.
    Bytes far(0x128, 0);
    for (std::size_t i = 0; i < far.size(); ++i) far[i] = static_cast<std::uint8_t>(i * 7);
    Bytes stream;
    for (std::size_t i = 0; i < far.size(); ++i) {
        if (i % 8 == 0) stream.push_back(0xFF);
        stream.push_back(far[i]);
    }
    // 0x128 literals fill the groups exactly; the copy opens a new one.
    stream.insert(stream.end(), {0x00, 0x23, 0x10 | 1});
    Bytes expectedFar = far;
    for (std::size_t i = 4; i < 8; ++i) expectedFar.push_back(far[i]);
    ASSERT_TRUE(Unpack(Packed(expectedFar, stream), out));
    EXPECT_TRUE(out == expectedFar);
}

TEST(PackedStream, RefusesCopiesOutsideTheOutput) {
    Bytes out;
    // A copy from before the first byte.
    EXPECT_FALSE(Unpack(Packed(Bytes(4, 'a'), {0b01, 'a', 0x01, 0x00}), out));
    // A copy that would run past the declared size.
    EXPECT_FALSE(Unpack(Packed(Bytes(3, 'a'), {0b01, 'a', 0x00, 0x00}), out));
    // A length continued past the end of the input.
    EXPECT_FALSE(Unpack(Packed(Bytes(300, 'a'), {0b01, 'a', 0x00, 0x0F, 255}), out));
    // The same copies inside the output are accepted.
    EXPECT_TRUE(Unpack(Packed(Bytes(4, 'a'), {0b01, 'a', 0x00, 0x00}), out));
    // A set flag bit left over once the output is full: a literal with no byte.
    EXPECT_FALSE(Unpack(Packed(Bytes(1, 'a'), {0b11, 'a'}), out));
    EXPECT_TRUE(Unpack(Packed(Bytes(1, 'a'), {0b01, 'a'}), out));
}

TEST(PackedStream, RefusesBadHeaders) {
    const Bytes good = Packed(Bytes(4, 'a'), {0b01, 'a', 0x00, 0x00});
    auto with = [&](std::size_t at, std::uint32_t value) {
        Bytes b = good;
        for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        return b;
    };
    Bytes out;
    EXPECT_FALSE(Unpack(with(0, 0x31505242), out));       // magic "BRP1"
    EXPECT_FALSE(Unpack(with(4, 0xFFFFFFFF), out));       // absurd size
    EXPECT_FALSE(Unpack(with(4, 5), out));                // more output than the stream makes
    EXPECT_FALSE(Unpack(with(8, 5), out));                // headers longer than the file
    EXPECT_FALSE(Unpack(with(12, 0), out));               // rows of no length
    EXPECT_FALSE(Unpack(with(16, Crc32(Bytes(4, 'b'))), out));  // checksum of other bytes
}

TEST(DibParts, RefusesAnyOtherKindOfBmp) {
    const Bytes bmp = ReadAsset("picture.bmp");
    ASSERT_EQ(bmp.size(), 177894u);
    struct Change {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        int width;  // bytes written
    };
    const Change changes[] = {
        {"not BM", 0, 'B' | 'A' << 8, 2},
        {"pixels before the headers end", 10, 40, 4},
        {"pixels after the end", 10, 177894 - 936 * 190 + 1, 4},
        {"core header", 14, 12, 4},
        {"zero width", 18, 0, 4},
        {"negative width", 18, 0xFFFFFEC8, 4},
        {"wider than the file", 18, 313, 4},
        {"top-down", 22, static_cast<std::uint32_t>(-190), 4},
        {"taller than the file", 22, 191, 4},
        {"two planes", 26, 2, 2},
        {"32 bits per pixel", 28, 32, 2},
        {"RLE8", 30, 1, 4},
    };
    for (const Change& c : changes) {
        Bytes b = bmp;
        for (int i = 0; i < c.width; ++i) b[c.at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(c.value >> (8 * i));
        DibParts parts;
        EXPECT_FALSE(FindDibParts(b, parts)) << c.what;
        EXPECT_EQ(parts.pixels, nullptr) << c.what;
    }
    DibParts parts;
    EXPECT_FALSE(FindDibParts(Bytes(bmp.begin(), bmp.begin() + 53), parts));
    EXPECT_FALSE(FindDibParts(Bytes(bmp.begin(), bmp.end() - 1), parts));
}

// 5 pixels make 15 bytes a row, stored padded to 16. The test reads every
// byte the parts claim, so a claim past the file is caught (by the
// sanitizers, where they run) even when the answer looks right.
TEST(DibParts, RowsArePaddedToFourBytes) {
    Bytes bmp{'B', 'M'};
    Put32(bmp, 14 + 40 + 2 * 16);
    Put32(bmp, 0);
    Put32(bmp, 14 + 40);
    for (std::uint32_t v : {40u, 5u, 2u}) Put32(bmp, v);
    bmp.insert(bmp.end(), {1, 0, 24, 0});
    for (int i = 0; i < 6; ++i) Put32(bmp, 0);
    for (int i = 0; i < 2 * 16; ++i) bmp.push_back(static_cast<std::uint8_t>(i));
    DibParts parts;
    ASSERT_TRUE(FindDibParts(bmp, parts));
    ASSERT_EQ(parts.pixelBytes, 2u * 16u);
    EXPECT_EQ(Bytes(parts.pixels, parts.pixels + parts.pixelBytes), Bytes(bmp.begin() + 54, bmp.end()));
    // Rows stored unpadded (or the last row's padding missing) are refused.
    for (std::size_t cut : {1u, 2u}) {
        const Bytes shorter(bmp.begin(), bmp.end() - static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(FindDibParts(shorter, parts)) << cut;
    }
}

}  // namespace
}  // namespace kr2
