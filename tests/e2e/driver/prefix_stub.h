#pragma once
// A stub put in place of a program of the Wine prefix (Notepad, Internet
// Explorer) for as long as the object lives; the original comes back after.

#include <string>

namespace kr2::e2e {

class PrefixStub {
public:
    explicit PrefixStub(std::wstring path);
    ~PrefixStub();
    PrefixStub(const PrefixStub&) = delete;
    PrefixStub& operator=(const PrefixStub&) = delete;

private:
    std::wstring path_;
    std::wstring saved_;  // where the original waits; empty if there was none
};

}  // namespace kr2::e2e
