// The support library itself: record format, file helpers, the stub.

#include <windows.h>

#include <memory>
#include <vector>

#include "check.h"
#include "child_process.h"
#include "files.h"
#include "stub_log.h"
#include "wave_file.h"

using namespace kr2::e2e;

KR2_E2E_TEST(RecordSurvivesTabsPercentAndBlanks) {
    StubRecord in;
    in.module = L"C:\\a b\\stub.exe";
    in.commandLine = L"x.exe   a\tb %09 %  \r\n end  ";
    in.startupFlags = 1;
    in.showWindow = 2;
    in.currentDir = L"C:\\dir\twith tab";
    in.processId = 4294967295u;
    const std::wstring line = FormatRecord(in);
    KR2_CHECK(line.find(L'\n') == std::wstring::npos);
    StubRecord out;
    KR2_CHECK(ParseRecord(line, out));
    KR2_CHECK_EQ(out.module, in.module);
    KR2_CHECK_EQ(out.commandLine, in.commandLine);
    KR2_CHECK_EQ(out.startupFlags, in.startupFlags);
    KR2_CHECK_EQ(out.showWindow, in.showWindow);
    KR2_CHECK_EQ(out.currentDir, in.currentDir);
    KR2_CHECK_EQ(out.processId, in.processId);
}

KR2_E2E_TEST(RecordRejectsMalformedLines) {
    StubRecord r;
    KR2_CHECK(!ParseRecord(L"", r));
    KR2_CHECK(!ParseRecord(L"a\tb\t1\t2\tc", r));            // a field short
    KR2_CHECK(!ParseRecord(L"a\tb\tx\t2\tc\t3", r));          // flags not a number
    KR2_CHECK(!ParseRecord(L"a\tb\t1\t2\tc\t4294967296", r));  // pid out of range
}

KR2_E2E_TEST(TempRootAndTreeRemoval) {
    std::wstring kept;
    {
        TempRoot root(L"selftest");
        kept = root.path();
        PlaceStub(root / L"deep\\er\\stub.exe");
        KR2_CHECK(FileExists(root / L"deep\\er\\stub.exe"));
        WriteBytes(root / L"hidden.WAV", "x");
        SetHidden(root / L"hidden.WAV");
        SetSystem(root / L"hidden.WAV");
        MakeDirs(root / L"dir.WAV");
        KR2_CHECK(DirectoryExists(root / L"dir.WAV"));
        KR2_CHECK(!FileExists(root / L"dir.WAV"));
    }
    KR2_CHECK(!DirectoryExists(kept));
}

KR2_E2E_TEST(WavHasHeaderAndLength) {
    TempRoot root(L"selftest-wav");
    WriteWav(root / L"tone.wav", 1500, 440, 22050);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    KR2_CHECK(GetFileAttributesExW((root / L"tone.wav").c_str(), GetFileExInfoStandard, &data));
    KR2_CHECK_EQ(data.nFileSizeLow, 44u + 22050u * 3u);  // 1.5 s of 16-bit mono
}

KR2_E2E_TEST(StubRecordsHowItWasStarted) {
    TempRoot root(L"selftest-stub");
    const std::wstring exe = root / L"my stub.exe";
    PlaceStub(exe);
    StubLog log(root / L"stub.log");
    const std::wstring line = L"\"" + exe + L"\"   two  blanks\tand tab ";
    ChildProcess child({line, L"", root.path()});
    KR2_CHECK_EQ(child.Wait(15000).value_or(999), 0u);
    const auto records = log.WaitFor(1);
    if (!KR2_CHECK_EQ(records.size(), std::size_t{1})) return;
    KR2_CHECK_EQ(records[0].commandLine, line);
    KR2_CHECK_EQ(records[0].module, exe);
    KR2_CHECK_EQ(records[0].currentDir, root.path());
    KR2_CHECK_EQ(records[0].processId, child.processId());
    KR2_CHECK_EQ(records[0].startupFlags & STARTF_USESHOWWINDOW, 0u);
}

// Stubs started together must not lose or tear each other's lines.
KR2_E2E_TEST(StubsStartedTogetherAllGetTheirLine) {
    TempRoot root(L"selftest-many");
    const std::wstring exe = root / L"stub.exe";
    PlaceStub(exe);
    StubLog log(root / L"stub.log");
    constexpr int kCount = 12;
    {
        std::vector<std::unique_ptr<ChildProcess>> children;
        for (int i = 0; i < kCount; ++i)
            children.push_back(std::make_unique<ChildProcess>(
                ChildOptions{L"stub.exe  run " + std::to_wstring(i), exe, L""}));
        for (auto& child : children) KR2_CHECK_EQ(child->Wait(15000).value_or(999), 0u);
    }
    const auto records = log.WaitFor(kCount);
    KR2_CHECK_EQ(records.size(), std::size_t{kCount});
    std::vector<bool> seen(kCount, false);
    for (const auto& r : records) {
        for (int i = 0; i < kCount; ++i)
            if (r.commandLine == L"stub.exe  run " + std::to_wstring(i)) seen[i] = true;
    }
    for (int i = 0; i < kCount; ++i) KR2_CHECK(seen[i]);
}

int main(int argc, char** argv) { return RunAllTests(argc, argv); }
