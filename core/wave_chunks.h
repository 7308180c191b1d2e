#pragma once
// A look at a wave file's chunk headers before the platform's player gets it.
// Portable: the player port reads the bytes, this only judges them.

#include <cstdint>
#include <string_view>

namespace kr2 {

// False when a chunk ahead of the sound data claims more bytes than the file
// holds ("fmt " with a size of 4 GB, say): the platform's player has been seen
// to crash on such a file. `head` is the start of the file, `fileSize` its
// whole length. Anything that is not a RIFF/WAVE file, a walk that runs out
// of `head`, and a "data" chunk longer than the file all pass: the player
// turns those down or plays what is there on its own.
bool WaveChunksFitTheFile(std::string_view head, std::uint64_t fileSize) noexcept;

}  // namespace kr2
