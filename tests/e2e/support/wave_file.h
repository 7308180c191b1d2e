#pragma once
// Test sound files: real PCM waves of a known length, and arbitrary bytes
// for files that only look like waves.

#include <string>
#include <string_view>

namespace kr2::e2e {

// A mono 16-bit PCM wave with a sine tone; creates the file's directory.
void WriteWav(const std::wstring& path, unsigned durationMs, unsigned frequencyHz = 440,
              unsigned sampleRate = 22050);

// Writes exactly these bytes; creates the file's directory.
void WriteBytes(const std::wstring& path, std::string_view bytes);

}  // namespace kr2::e2e
