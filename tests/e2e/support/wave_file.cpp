#include "wave_file.h"

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "files.h"
#include "utf8.h"

namespace kr2::e2e {
namespace {

void Put16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

}  // namespace

void WriteWav(const std::wstring& path, unsigned durationMs, unsigned frequencyHz, unsigned sampleRate) {
    const std::uint32_t samples = static_cast<std::uint32_t>(
        static_cast<std::uint64_t>(sampleRate) * durationMs / 1000);
    const std::uint32_t dataBytes = samples * 2;
    std::string wav;
    wav.reserve(44 + dataBytes);
    wav += "RIFF";
    Put32(wav, 36 + dataBytes);
    wav += "WAVEfmt ";
    Put32(wav, 16);
    Put16(wav, 1);               // PCM
    Put16(wav, 1);               // mono
    Put32(wav, sampleRate);
    Put32(wav, sampleRate * 2);  // bytes per second
    Put16(wav, 2);               // block align
    Put16(wav, 16);              // bits per sample
    wav += "data";
    Put32(wav, dataBytes);
    const double step = 2.0 * 3.141592653589793 * frequencyHz / sampleRate;
    for (std::uint32_t i = 0; i < samples; ++i)
        Put16(wav, static_cast<std::uint16_t>(static_cast<std::int16_t>(8000.0 * std::sin(step * i))));
    WriteBytes(path, wav);
}

void WriteBytes(const std::wstring& path, std::string_view bytes) {
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos) MakeDirs(path.substr(0, slash));
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create " + ToUtf8(path) + ": error " + std::to_string(GetLastError()));
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    if (!ok || written != bytes.size()) throw std::runtime_error("cannot write " + ToUtf8(path));
}

}  // namespace kr2::e2e
