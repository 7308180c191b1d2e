#include "wave_chunks.h"

namespace kr2 {
namespace {

std::uint32_t Le32(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return v;
}

}  // namespace

bool WaveChunksFitTheFile(std::string_view head, std::uint64_t fileSize) noexcept {
    if (head.size() < 12 || head.substr(0, 4) != "RIFF" || head.substr(8, 4) != "WAVE") return true;
    std::uint64_t at = 12;
    while (at + 8 <= head.size()) {
        const std::string_view id = head.substr(static_cast<std::size_t>(at), 4);
        if (id == "data") return true;
        const std::uint64_t size = Le32(head, static_cast<std::size_t>(at) + 4);
        if (at + 8 + size > fileSize) return false;
        at += 8 + size + (size & 1);  // chunks are padded to an even length
    }
    return true;
}

}  // namespace kr2
