// The chunk walk that keeps a wave with a lying chunk size from the player.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "wave_chunks.h"

namespace kr2 {
namespace {

std::string Le32(std::uint32_t v) {
    std::string out;
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return out;
}

std::string Chunk(const char* id, std::uint32_t claimed, std::size_t actual) {
    return std::string(id, 4) + Le32(claimed) + std::string(actual, '\0');
}

std::string Riff(const std::string& chunks) { return "RIFF" + Le32(4 + static_cast<std::uint32_t>(chunks.size())) + "WAVE" + chunks; }

// Each comparison of the walk with the inputs on both sides of it: the head
// that was read, how much longer the file is, and the verdict.
TEST(WaveChunks, BothSidesOfEveryCheck) {
    const std::string lying = Chunk("LIST", 0xFFFFFFF0u, 0), big = Riff(Chunk("LIST", 100'000, 100));
    const struct { std::string head; std::uint64_t more; bool fits; } rows[] = {
        {"", 0, true}, {"RIFF", 0, true},                              // nothing, or too short to say
        {"just some text that ends in .WAV", 0, true},
        {Riff(lying).substr(0, 11), 0, true},                          // too short for "WAVE"
        {Riff(""), 0, true},                                           // no chunk
        {"RIFX" + Le32(4) + "WAVE" + lying, 0, true},                  // not RIFF
        {"RIFF" + Le32(4) + "WAVF" + lying, 0, true},                  // not WAVE
        {Riff(lying), 0, false},                                       // a header that ends the head
        {Riff(lying).substr(0, 19), 0, true},                          // ...one byte short of it
        {Riff(Chunk("fmt ", 16, 16) + lying), 0, false},               // the second header, likewise
        {Riff(Chunk("fmt ", 16, 16) + lying).substr(0, 43), 0, true},
        {Riff(Chunk("fmt ", 16, 16)), 0, true},                        // ends where the file does
        {Riff(Chunk("fmt ", 17, 16)), 0, false},                       // ...one byte after
        {Riff(Chunk("fmt ", 17, 16)), 1, true},                        // ...in a file one byte longer
        {Riff(Chunk("fmt ", 15, 15)), 0, true},                        // odd, its padding not in the file
        {Riff(Chunk("fmt ", 16, 16) + Chunk("data", 100'000'000, 8)), 0, true},  // the data is the player's
        {Riff(Chunk("data", 0xFFFFFFF0u, 0) + lying), 0, true},
        {Riff(Chunk("datb", 0xFFFFFFF0u, 0)), 0, false},
        {Riff(Chunk("LIST", 3, 4) + Chunk("data", 0xFFFFFFF0u, 0)), 0, true},  // padded to an even length
        {Riff(Chunk("LIST", 3, 4) + lying), 0, false},
        {Riff(Chunk("LIST", 2, 2) + Chunk("data", 0xFFFFFFF0u, 0)), 0, true},
        {big, 100'000 - 100, true},                                    // a head that stops in a chunk
        {big, 100'000 - 101, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(WaveChunksFitTheFile(row.head, row.head.size() + row.more), row.fits) << testing::PrintToString(row.head);
}

}  // namespace
}  // namespace kr2
