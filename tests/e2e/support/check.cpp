#include "check.h"

#include <cstdio>
#include <exception>
#include <vector>

#include "utf8.h"

namespace kr2::e2e {
namespace {

struct TestCase {
    const char* name;
    TestFunction function;
};

std::vector<TestCase>& Registry() {
    static std::vector<TestCase> tests;
    return tests;
}

int g_failedChecks = 0;

}  // namespace

TestRegistrar::TestRegistrar(const char* name, TestFunction function) {
    Registry().push_back({name, function});
}

bool ReportCheck(bool ok, const char* file, int line, const std::string& what) {
    if (!ok) {
        ++g_failedChecks;
        std::printf("  FAILED %s:%d: %s\n", file, line, what.c_str());
        std::fflush(stdout);
    }
    return ok;
}

void Note(const std::string& message) {
    ++g_failedChecks;
    std::printf("  FAILED: %s\n", message.c_str());
    std::fflush(stdout);
}

std::string Describe(std::wstring_view text) { return "[" + ToUtf8(text) + "]"; }
std::string Describe(std::string_view text) { return "[" + std::string(text) + "]"; }
std::string Describe(const std::wstring& text) { return Describe(std::wstring_view(text)); }
std::string Describe(const std::string& text) { return Describe(std::string_view(text)); }
std::string Describe(const wchar_t* text) { return Describe(std::wstring_view(text)); }
std::string Describe(const char* text) { return Describe(std::string_view(text)); }

int RunAllTests(int argc, char** argv) {
    int passed = 0;
    int failed = 0;
    for (const TestCase& test : Registry()) {
        if (argc > 1) {
            bool wanted = false;
            for (int i = 1; i < argc; ++i) wanted = wanted || std::string_view(argv[i]) == test.name;
            if (!wanted) continue;
        }
        std::printf("[ RUN  ] %s\n", test.name);
        std::fflush(stdout);
        const int before = g_failedChecks;
        try {
            test.function();
        } catch (const std::exception& e) {
            Note(std::string("exception: ") + e.what());
        } catch (...) {
            Note("unknown exception");
        }
        const bool ok = g_failedChecks == before;
        std::printf("[ %s ] %s\n", ok ? " OK " : "FAIL", test.name);
        std::fflush(stdout);
        (ok ? passed : failed) += 1;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    if (passed + failed == 0) {
        std::printf("no test ran\n");
        return 1;
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace kr2::e2e
