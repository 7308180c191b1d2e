#pragma once
// Cue files that are not what their name promises, and one that is very big.

#include <cstdint>
#include <string>

namespace kr2::e2e {

// The first bytes of a RIFF header, cut off inside the "WAVE" tag.
std::string TruncatedRiffHeader();
// Bytes that are no wave at all.
std::string RandomBytes(std::size_t count);
// A well-formed mono PCM wave whose "data" chunk claims 100 MB but holds
// only `actualMs` of sound.
std::string DataSizePastTheEnd(unsigned actualMs);
// A "fmt " chunk whose size claims almost 4 GB.
std::string OversizedFmtChunk();

// A valid PCM wave of at least `bytes` bytes in total, at a byte rate high
// enough (8 channels, 384 kHz, 24 bits) that it lasts seconds, not hours.
// Written in pieces. Returns how long it plays, in milliseconds.
unsigned WriteHugeWave(const std::wstring& path, std::uint64_t bytes);

}  // namespace kr2::e2e
