#include "command_line.h"

namespace kr2 {
namespace {

bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

wchar_t Lower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool IsExeAt(std::wstring_view line, std::size_t i) {
    constexpr std::wstring_view kExe = L".exe";
    if (line.size() - i < kExe.size()) return false;
    for (std::size_t k = 0; k < kExe.size(); ++k) {
        if (Lower(line[i + k]) != kExe[k]) return false;
    }
    return true;
}

}  // namespace

std::optional<std::wstring_view> AbsoluteProgramPart(std::wstring_view line) noexcept {
    if (line.size() < 3 || !IsAsciiLetter(line[0]) || line[1] != L':' || line[2] != L'\\')
        return std::nullopt;
    for (std::size_t i = 3; i < line.size(); ++i) {
        if (!IsExeAt(line, i)) continue;
        const std::size_t end = i + 4;
        if (end == line.size() || IsBlank(line[end])) return line.substr(0, end);
    }
    return std::nullopt;
}

std::wstring_view DirectoryOfModule(std::wstring_view modulePath) noexcept {
    const std::size_t slash = modulePath.find_last_of(L'\\');
    if (slash == std::wstring_view::npos) return {};
    // "D:" alone would mean the current directory of drive D, not its root.
    if (slash > 0 && modulePath[slash - 1] == L':') return modulePath.substr(0, slash + 1);
    return modulePath.substr(0, slash);
}

}  // namespace kr2
