#include "stub_record.h"

#include <cwchar>
#include <vector>

namespace kr2::e2e {
namespace {

struct Escape {
    wchar_t raw;
    std::wstring_view coded;
};
// "%" first, so decoding never meets a half-decoded sequence.
constexpr Escape kEscapes[] = {{L'%', L"%25"}, {L'\t', L"%09"}, {L'\r', L"%0D"}, {L'\n', L"%0A"}};

bool ParseNumber(std::wstring_view text, std::uint32_t& value) {
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t n = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
        n = n * 10 + static_cast<std::uint64_t>(c - L'0');
    }
    if (n > 0xFFFFFFFFu) return false;
    value = static_cast<std::uint32_t>(n);
    return true;
}

}  // namespace

std::wstring EscapeField(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        bool escaped = false;
        for (const Escape& e : kEscapes) {
            if (c == e.raw) {
                out.append(e.coded);
                escaped = true;
                break;
            }
        }
        if (!escaped) out.push_back(c);
    }
    return out;
}

std::wstring UnescapeField(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool decoded = false;
        if (text[i] == L'%') {
            for (const Escape& e : kEscapes) {
                if (text.substr(i, 3) == e.coded) {
                    out.push_back(e.raw);
                    i += 2;
                    decoded = true;
                    break;
                }
            }
        }
        if (!decoded) out.push_back(text[i]);
    }
    return out;
}

std::wstring FormatRecord(const StubRecord& r) {
    std::wstring line;
    line += EscapeField(r.module) + L'\t';
    line += EscapeField(r.commandLine) + L'\t';
    line += std::to_wstring(r.startupFlags) + L'\t';
    line += std::to_wstring(r.showWindow) + L'\t';
    line += EscapeField(r.currentDir) + L'\t';
    line += std::to_wstring(r.processId);
    return line;
}

bool ParseRecord(std::wstring_view line, StubRecord& r) {
    std::vector<std::wstring_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find(L'\t', start);
        fields.push_back(line.substr(start, tab == std::wstring_view::npos ? tab : tab - start));
        if (tab == std::wstring_view::npos) break;
        start = tab + 1;
    }
    if (fields.size() != 6) return false;
    r.module = UnescapeField(fields[0]);
    r.commandLine = UnescapeField(fields[1]);
    r.currentDir = UnescapeField(fields[4]);
    return ParseNumber(fields[2], r.startupFlags) && ParseNumber(fields[3], r.showWindow) &&
           ParseNumber(fields[5], r.processId);
}

}  // namespace kr2::e2e
