#pragma once
// A minimal test harness for the Windows-side test programs.
//
//   KR2_E2E_TEST(ReadmeStartsNotepad) { KR2_CHECK_EQ(a, b); ... }
//   int main(int argc, char** argv) { return kr2::e2e::RunAllTests(argc, argv); }
//
// A failed check is reported with file, line and both values and the test
// goes on; an exception out of a test counts as one failure. RunAllTests
// prints "N passed, N failed" and returns non-zero when anything failed.
// Arguments, when given, are test names: only those run.

#include <sstream>
#include <string>
#include <string_view>

namespace kr2::e2e {

using TestFunction = void (*)();

struct TestRegistrar {
    TestRegistrar(const char* name, TestFunction function);
};

int RunAllTests(int argc, char** argv);

// Records one check; returns the condition so a test can stop early.
bool ReportCheck(bool ok, const char* file, int line, const std::string& what);

// Printable text for the values in a failure message; wide text goes out as
// UTF-8 in brackets so leading and trailing blanks stay visible.
std::string Describe(std::wstring_view text);
std::string Describe(std::string_view text);
std::string Describe(const std::wstring& text);
std::string Describe(const std::string& text);
std::string Describe(const wchar_t* text);
std::string Describe(const char* text);
template <typename T>
std::string Describe(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

// For a failure that has nothing to compare (setup that did not work).
void Note(const std::string& message);

}  // namespace kr2::e2e

#define KR2_E2E_TEST(name)                                                     \
    static void name();                                                        \
    static const ::kr2::e2e::TestRegistrar name##_registrar(#name, &name);     \
    static void name()

#define KR2_CHECK(cond) ::kr2::e2e::ReportCheck(static_cast<bool>(cond), __FILE__, __LINE__, #cond)

#define KR2_CHECK_EQ(actual, expected)                                                         \
    [&](const auto& a_, const auto& e_) {                                                      \
        const bool ok_ = (a_ == e_);                                                           \
        return ::kr2::e2e::ReportCheck(ok_, __FILE__, __LINE__,                                \
                                       std::string(#actual " == " #expected "\n      actual:   ") + \
                                           ::kr2::e2e::Describe(a_) + "\n      expected: " +  \
                                           ::kr2::e2e::Describe(e_));                          \
    }((actual), (expected))
