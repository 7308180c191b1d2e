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

// The input copied to a buffer of its own size: a read past it is caught
// (by the sanitizers, where they run).
bool Unpack(const Bytes& packed, Bytes& bmp) { return UnpackBitmapFile(Bytes(packed), bmp); }

// 'a', then copies from one back to make `n` bytes in all.
Bytes RunOfA(std::size_t n) {
    Bytes stream{0b01, 'a', 0x00, 0x0F};
    for (n -= 19; n >= 255; n -= 255) stream.push_back(255);
    stream.push_back(static_cast<std::uint8_t>(n));
    return stream;
}

// A bottom-up 24-bit .bmp of w x h pixels, each row padded to four bytes.
Bytes Dib(std::uint32_t w, std::uint32_t h) {
    const std::size_t rows = (w * 3 + (4 - w * 3 % 4) % 4) * std::size_t{h};
    Bytes bmp{'B', 'M'};
    for (std::uint32_t v : {54 + static_cast<std::uint32_t>(rows), 0u, 54u, 40u, w, h}) Put32(bmp, v);
    bmp.insert(bmp.end(), {1, 0, 24, 0});
    bmp.resize(54);
    bmp.resize(54 + rows, 0x5A);
    return bmp;
}

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
                EXPECT_FALSE(i < 20 && flip == 0x01) << "header byte " << i << " counts";
            } else {
                EXPECT_TRUE(out.empty());
                ++refused;
            }
        }
    }
    // Every header byte counts, and most of the stream's do.
    EXPECT_GT(refused, tried * 3 / 4);
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

// Each check of the header and of the stream's decoder, with the inputs on
// both sides of it.
TEST(PackedStream, BothSidesOfEveryCheck) {
    const Bytes copy{0b01, 'a', 0x00, 0x00}, good = Packed(Bytes(4, 'a'), copy), empty = Packed({}, {});
    auto with = [&](std::size_t at, std::uint32_t value) {
        Bytes b = good;
        for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        return b;
    };
    const std::size_t largest = 16u << 20;
    const struct { const char* what; Bytes packed; bool ok; } rows[] = {
        {"four bytes", good, true},
        {"no bytes", empty, true},
        {"a header a byte short", Bytes(good.begin(), good.begin() + 19), false},
        {"magic BRP1", with(0, 0x31505242), false},
        {"the largest size", Packed(Bytes(largest, 'a'), RunOfA(largest)), true},
        {"a byte larger", Packed(Bytes(largest + 1, 'a'), RunOfA(largest + 1)), false},
        {"more output than the stream makes", with(4, 5), false},
        {"headers longer than the file", with(8, 5), false},
        {"rows of no length", with(12, 0), false},
        {"checksum of other bytes", with(16, Crc32(Bytes(4, 'b'))), false},
        {"eight literals", Packed(Bytes(8, 'a'), {0xFF, 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a'}), true},
        {"a ninth with no flag byte", Packed(Bytes(9, 'a'), {0xFF, 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a'}), false},
        {"a literal with no byte", Packed(Bytes(2, 'a'), {0b11, 'a'}), false},
        {"two literals", Packed(Bytes(2, 'a'), {0b11, 'a', 'a'}), true},
        {"a copy with one byte of two", Packed(Bytes(4, 'a'), {0b01, 'a', 0x00}), false},
        {"a copy from before the first byte", Packed(Bytes(4, 'a'), {0b01, 'a', 0x01, 0x00}), false},
        {"a copy past the end of the output", Packed(Bytes(3, 'a'), copy), false},
        {"a length continued past the input", Packed(Bytes(300, 'a'), {0b01, 'a', 0x00, 0x0F, 255}), false},
        {"a byte after the stream", Packed(Bytes(4, 'a'), {0b01, 'a', 0x00, 0x00, 0x00}), false},
        {"a set flag bit left over", Packed(Bytes(1, 'a'), {0b11, 'a'}), false},
        {"a clear one", Packed(Bytes(1, 'a'), {0b01, 'a'}), true},
    };
    for (const auto& row : rows) {
        Bytes out{1};
        EXPECT_EQ(Unpack(row.packed, out), row.ok) << row.what;
        EXPECT_EQ(out.size(), row.ok ? row.packed[4] | row.packed[5] << 8 | row.packed[6] << 16 | row.packed[7] << 24 : 0) << row.what;
    }
}

// Each check of the bitmap's with the inputs on both sides of it: a w x h
// file with `value` written over the field at `at`, `more` bytes longer.
TEST(DibParts, BothSidesOfEveryCheck) {
    const struct { std::uint32_t w, h; std::size_t at; std::uint32_t value; int more; bool ok; } rows[] = {
        // As made, a byte longer or shorter, shorter than its headers; not "BM".
        {5, 2, 0, 0, 0, true}, {5, 2, 0, 0, 1, true}, {5, 2, 0, 0, -1, false}, {1, 1, 0, 0, -5, false}, {1, 1, 0, 0, -40, false},
        {5, 2, 0, 'A', 0, false}, {5, 2, 1, 'A', 0, false},
        // Pixels inside the headers, a byte later (in a file a byte longer or not), at and after the end.
        {5, 2, 10, 53, 0, false}, {5, 2, 10, 55, 1, true}, {5, 2, 10, 55, 0, false},
        {5, 2, 10, 86, 0, false}, {5, 2, 10, 87, 0, false}, {5, 2, 10, 0xFFFFFFFF, 0, false},
        // Headers of 12, 39, 41 and 124 bytes.
        {5, 2, 14, 12, 0, false}, {5, 2, 14, 39, 0, false}, {5, 2, 14, 41, 0, false}, {5, 2, 14, 124, 0, false},
        // Width, then height: none, 1, negative, more than the rows hold; the largest and one more.
        {5, 2, 18, 0, 0, false}, {5, 2, 18, 1, 0, true}, {5, 2, 18, 0xFFFFFFFB, 0, false}, {5, 2, 18, 6, 0, false},
        {5, 2, 22, 0, 0, false}, {5, 2, 22, 1, 0, true}, {5, 2, 22, 0xFFFFFFFE, 0, false}, {5, 2, 22, 3, 0, false},
        {32768, 1, 0, 0, 0, true}, {32769, 1, 0, 0, 0, false}, {1, 32768, 0, 0, 0, true}, {1, 32769, 0, 0, 0, false},
        // Rows of 3, 6, 9 and 12 bytes, stored in 4, 8, 12 and 12.
        {1, 3, 0, 0, 0, true}, {2, 3, 0, 0, 0, true}, {3, 3, 0, 0, 0, true}, {4, 3, 0, 0, 0, true},
        // Planes 0 and 2; 8 bits (a colour table), 23 and 25; RLE8 and bit fields.
        {5, 2, 26, 0, 0, false}, {5, 2, 26, 2, 0, false}, {5, 2, 28, 8, 0, false}, {5, 2, 28, 23, 0, false},
        {5, 2, 28, 25, 0, false}, {5, 2, 30, 1, 0, false}, {5, 2, 30, 3, 0, false},
        // A colour count, small or large, makes a table; important colours do not.
        {5, 2, 46, 1, 0, false}, {5, 2, 46, 0x01000000, 0, false}, {5, 2, 50, 1, 0, true},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const auto& row = rows[i];
        Bytes b = Dib(row.w, row.h);
        const std::size_t bytes = row.at < 2 ? 1 : row.at == 26 || row.at == 28 ? 2 : 4;
        for (std::size_t k = 0; (row.at || row.value) && k < bytes; ++k) b[row.at + k] = static_cast<std::uint8_t>(row.value >> (8 * k));
        b.resize(b.size() + static_cast<std::size_t>(row.more), 0x5A);
        const Bytes exact = b;  // a buffer of its own size
        DibParts parts;
        ASSERT_EQ(FindDibParts(exact, parts), row.ok);
        EXPECT_TRUE(row.ok || parts.pixels == nullptr);
        if (!row.ok) continue;
        // The claims are the header and the padded rows, all inside the file.
        const auto field = [&](std::size_t at) { return std::size_t{exact[at]} | exact[at + 1] << 8 | exact[at + 2] << 16; };
        const std::size_t w = field(18), pixelsAt = field(10);
        EXPECT_EQ(parts.infoHeader, &exact[14]);
        EXPECT_EQ(parts.pixels, &exact[pixelsAt]);
        EXPECT_EQ(parts.pixelBytes, (w * 3 + (4 - w * 3 % 4) % 4) * field(22));
        EXPECT_LE(pixelsAt + parts.pixelBytes, exact.size());
    }
}

}  // namespace
}  // namespace kr2
