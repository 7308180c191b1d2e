#include "odd_waves.h"

#include <windows.h>

#include <stdexcept>

#include "files.h"
#include "utf8.h"

namespace kr2::e2e {
namespace {

void Put16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

struct Format {
    std::uint32_t channels, rate, bits;
    std::uint32_t BlockAlign() const { return channels * bits / 8; }
    std::uint32_t ByteRate() const { return rate * BlockAlign(); }
};

std::string Header(const Format& f, std::uint32_t fmtSize, std::uint32_t dataBytes) {
    std::string out = "RIFF";
    Put32(out, 4 + 8 + 16 + 8 + dataBytes);
    out += "WAVEfmt ";
    Put32(out, fmtSize);
    Put16(out, 1);  // PCM
    Put16(out, f.channels);
    Put32(out, f.rate);
    Put32(out, f.ByteRate());
    Put16(out, f.BlockAlign());
    Put16(out, f.bits);
    return out;
}

constexpr Format kSmall{1, 22050, 16};
// 9.2 MB a second: among the fastest that the platform's player takes.
constexpr Format kHuge{8, 384000, 24};

}  // namespace

std::string TruncatedRiffHeader() { return std::string("RIFF\x24\x08\x00\x00WA", 10); }

std::string RandomBytes(std::size_t count) {
    std::string out;
    std::uint32_t x = 0x2545F491;
    for (std::size_t i = 0; i < count; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        out.push_back(static_cast<char>(x & 0xFF));
    }
    return out;
}

std::string DataSizePastTheEnd(unsigned actualMs) {
    std::string out = Header(kSmall, 16, 100'000'000);
    out += "data";
    Put32(out, 100'000'000);
    out.append(static_cast<std::size_t>(kSmall.ByteRate()) * actualMs / 1000, '\0');
    return out;
}

std::string OversizedFmtChunk() {
    std::string out = Header(kSmall, 0xFFFFFFF0u, 22050);
    out += "data";
    Put32(out, 22050);
    out.append(22050, '\0');
    return out;
}

unsigned WriteHugeWave(const std::wstring& path, std::uint64_t bytes) {
    const std::uint64_t samples = (bytes - 44 + kHuge.BlockAlign() - 1) / kHuge.BlockAlign();
    const auto dataBytes = static_cast<std::uint32_t>(samples * kHuge.BlockAlign());
    std::string head = Header(kHuge, 16, dataBytes);
    head += "data";
    Put32(head, dataBytes);

    const std::size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos) e2e::MakeDirs(path.substr(0, slash));
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create " + e2e::ToUtf8(path) + ": error " + std::to_string(GetLastError()));
    DWORD written = 0;
    bool ok = WriteFile(h, head.data(), static_cast<DWORD>(head.size()), &written, nullptr) != 0;
    const std::string silence(1 << 20, '\0');
    for (std::uint64_t left = dataBytes; ok && left > 0;) {
        const auto n = static_cast<DWORD>(left < silence.size() ? left : silence.size());
        ok = WriteFile(h, silence.data(), n, &written, nullptr) && written == n;
        left -= n;
    }
    CloseHandle(h);
    if (!ok) throw std::runtime_error("cannot write " + e2e::ToUtf8(path));
    return static_cast<unsigned>(static_cast<std::uint64_t>(dataBytes) * 1000 / kHuge.ByteRate());
}

}  // namespace kr2::e2e
