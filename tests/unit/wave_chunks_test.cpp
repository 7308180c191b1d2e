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

bool Fits(const std::string& file) { return WaveChunksFitTheFile(file, file.size()); }

TEST(WaveChunks, PlainWavesPass) {
    EXPECT_TRUE(Fits(Riff(Chunk("fmt ", 16, 16) + Chunk("data", 8, 8))));
    // An odd-sized chunk is padded to an even length before the next one.
    EXPECT_TRUE(Fits(Riff(Chunk("LIST", 3, 4) + Chunk("fmt ", 16, 16) + Chunk("data", 8, 8))));
    // The data chunk may claim more than is there: the player plays what is.
    EXPECT_TRUE(Fits(Riff(Chunk("fmt ", 16, 16) + Chunk("data", 100'000'000, 8))));
}

TEST(WaveChunks, AChunkBeforeTheDataThatOverrunsTheFileFails) {
    EXPECT_FALSE(Fits(Riff(Chunk("fmt ", 0xFFFFFFF0u, 16) + Chunk("data", 8, 8))));
    EXPECT_FALSE(Fits(Riff(Chunk("fmt ", 16, 16) + Chunk("LIST", 1000, 8) + Chunk("data", 8, 8))));
    // The boundary: a chunk that ends exactly at the end of the file fits,
    // one byte more does not.
    EXPECT_TRUE(Fits(Riff(Chunk("fmt ", 16, 16))));
    EXPECT_FALSE(Fits(Riff(Chunk("fmt ", 17, 16))));
}

TEST(WaveChunks, WhatIsNoRiffWaveIsLeftToThePlayer) {
    EXPECT_TRUE(Fits(""));
    EXPECT_TRUE(Fits(std::string("RIFF\x24\x08\x00\x00WA", 10)));
    EXPECT_TRUE(Fits("RIFX" + Le32(4) + "WAVE" + Chunk("fmt ", 0xFFFFFFF0u, 0)));
    EXPECT_TRUE(Fits("just some text that ends in .WAV"));
}

TEST(WaveChunks, OnlyTheHeadThatWasReadIsWalked) {
    // The head stops inside a big but honest chunk: nothing more to judge.
    const std::string head = Riff(Chunk("LIST", 100'000, 100));
    EXPECT_TRUE(WaveChunksFitTheFile(head, 200'000));
    EXPECT_FALSE(WaveChunksFitTheFile(head, 50'000));
}

}  // namespace
}  // namespace kr2
