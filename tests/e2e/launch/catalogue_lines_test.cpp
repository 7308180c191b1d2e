// Every catalogue entry started for real: each stub must receive exactly the
// line the catalogue holds, and exactly the line written out by hand
// (tests/design/expected_catalogue.h).

#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

#include <gtest/gtest.h>
#include "child_process.h"
#include "expected_catalogue.h"
#include "launch_catalogue.h"
#include "launch_world.h"
#include "utf8.h"

using namespace kr2;
using namespace kr2::e2e;

namespace {

struct Expected {
    std::string_view entry;
    std::wstring_view line;     // as the started program must see it
    const wchar_t* program;     // nullptr: the game executable named in the line
    unsigned show;              // SW_ number
};

// The line written out by hand (design/expected_catalogue.h); the readme and
// the home page run a program named by its path, shown normally, and every
// game is shown minimised.
Expected ExpectedFor(const design::CatalogueLine& l) {
    if (l.entry == "ReadmeOpen") return {l.entry, l.line, kNotepadPath, 1};
    if (l.entry == "HomePageOpen") return {l.entry, l.line, kExplorerPath, 1};
    return {l.entry, l.line, nullptr, 2};
}
static_assert(design::kCatalogueLines.size() == kLaunchCatalogue.size());

std::wstring ExpectedModule(const Expected& e) {
    if (e.program) return e.program;
    return LaunchWorld::GameExe(e.line.substr(0, 9) == L"kr2mp.exe" ? L"kr2mp.exe" : L"kr2sp.exe");
}

// One started entry: one record, and the line, show state, program and
// working directory it carries.
void CheckStarted(const LaunchWorld& world, const Expected& e, std::wstring_view catalogueLine) {
    const auto records = world.Log().WaitFor(1);
    ASSERT_EQ(records.size(), std::size_t{1});
    const auto& r = records[0];
    EXPECT_EQ(ToUtf8(r.commandLine), ToUtf8(catalogueLine));
    EXPECT_EQ(ToUtf8(r.commandLine), ToUtf8(e.line));
    EXPECT_TRUE((r.startupFlags & STARTF_USESHOWWINDOW) != 0);
    EXPECT_EQ(r.showWindow, e.show);
    EXPECT_TRUE(SamePath(r.module, ExpectedModule(e)))
        << "program that ran: " << e2e::Describe(r.module) << ", expected " << e2e::Describe(ExpectedModule(e));
    EXPECT_EQ(ToUtf8(r.currentDir), ToUtf8(world.WorkDir()));
}

}  // namespace

TEST(LaunchCatalogue, EveryEntryReachesItsProgramUnchanged) {
    LaunchWorld world(L"catalogue");
    SwappedFile notepad(kNotepadPath, SwappedFile::Kind::Stub);
    SwappedFile explorer(kExplorerPath, SwappedFile::Kind::Stub);

    for (std::size_t i = 0; i < kLaunchCatalogue.size(); ++i) {
        const LaunchAction& entry = kLaunchCatalogue[i];
        const Expected e = ExpectedFor(design::kCatalogueLines[i]);
        std::printf("  %s\n", std::string(entry.name).c_str());
        EXPECT_EQ(entry.name, e.entry);
        world.Log().Clear();
        world.window.unloads = 0;
        world.end.calls = 0;

        world.Run(entry);
        CheckStarted(world, e, entry.commandLine);

        // A start that worked: no box, and exactly the entry's follow-up.
        EXPECT_TRUE(world.errorBox.shown.empty());
        EXPECT_EQ(world.end.calls, entry.followUp == FollowUp::EndProgram ? 1 : 0);
        EXPECT_EQ(world.window.unloads, entry.followUp == FollowUp::CloseWindow ? 1 : 0);
    }
}

TEST(LaunchCatalogue, FallbackLineReachesSecondNotepadThenTheProgramEnds) {
    LaunchWorld world(L"fallback");
    SwappedFile notepad(kNotepadPath, SwappedFile::Kind::Absent);
    SwappedFile notepadNt(kNotepadNtPath, SwappedFile::Kind::Stub);
    const LaunchAction& readme = LaunchCatalogue("ReadmeOpen");

    world.Run(readme);
    CheckStarted(world,
                 {"ReadmeOpen", design::kReadmeFallbackLine, kNotepadNtPath, 1},
                 readme.fallbackCommandLine);
    EXPECT_TRUE(world.errorBox.shown.empty());
    EXPECT_EQ(world.end.calls, 1);
    EXPECT_EQ(world.window.unloads, 0);
}

TEST(LaunchCatalogue, ReadmeTwiceStartsTwoNotepadsAndStays) {
    LaunchWorld world(L"readme-twice");
    SwappedFile notepad(kNotepadPath, SwappedFile::Kind::Stub);
    const LaunchAction& readme = LaunchCatalogue("ReadmeOpen");

    world.Run(readme);
    world.Run(readme);
    const auto records = world.Log().WaitFor(2);
    ASSERT_EQ(records.size(), std::size_t{2});
    EXPECT_TRUE(records[0].processId != records[1].processId);
    for (const auto& r : records) EXPECT_EQ(ToUtf8(r.commandLine), ToUtf8(readme.commandLine));
    EXPECT_EQ(world.end.calls, 0);
    EXPECT_TRUE(world.errorBox.shown.empty());
}

// What the checks above stand on: the stub records what it was given, not
// what the launcher usually gives. Started plainly, with blanks and a tab in
// its line, it records no show flag and the line, program and directory.
TEST(LaunchCatalogue, StubRecordsAPlainStartAsItWas) {
    LaunchWorld world(L"stub-plain");
    const std::wstring exe = world.Root() / L"my stub.exe";
    e2e::PlaceStub(exe);
    const std::wstring line = L"\"" + exe + L"\"   two  blanks\tand tab ";
    e2e::ChildProcess child({line, L"", world.WorkDir()});
    EXPECT_EQ(child.Wait(15000).value_or(999), 0u);
    const auto records = world.Log().WaitFor(1);
    ASSERT_EQ(records.size(), std::size_t{1});
    EXPECT_EQ(ToUtf8(records[0].commandLine), ToUtf8(line));
    EXPECT_EQ(ToUtf8(records[0].module), ToUtf8(exe));
    EXPECT_EQ(ToUtf8(records[0].currentDir), ToUtf8(world.WorkDir()));
    EXPECT_EQ(records[0].processId, child.processId());
    EXPECT_EQ(records[0].startupFlags & STARTF_USESHOWWINDOW, 0u);
}
