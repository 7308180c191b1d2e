// Every catalogue entry started for real: each stub must receive exactly the
// line the catalogue holds, and exactly the line written out below.

#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "check.h"
#include "launch_catalogue.h"
#include "launch_world.h"

using namespace kr2;
using namespace kr2::launch_e2e;
using kr2::e2e::SwappedFile;

namespace {

struct Expected {
    std::string_view entry;
    std::wstring_view line;     // as the started program must see it
    const wchar_t* program;     // nullptr: the game executable named in the line
    unsigned show;              // SW_ number
};

// Written out by hand, runs of blanks and all, independently of the catalogue.
constexpr Expected kExpected[] = {
    {"MultiplayerStart", L"kr2mp.exe", nullptr, 2},
    {"ReadmeOpen", L"C:\\Windows\\Notepad.exe ..\\Install\\readme.txt", kNotepadPath, 1},
    {"HomePageOpen", L"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE http://www.kestrane2.com/",
     kExplorerPath, 1},
    {"ProfileStart1", L"kr2sp.exe  +set fs_game players_kr2\\Player1_saves", nullptr, 2},
    {"ProfileStart2", L"kr2sp.exe   +set fs_game players_kr2\\Player2_saves", nullptr, 2},
    {"ProfileStart3", L"kr2sp.exe   +set fs_game players_kr2\\Player3_saves", nullptr, 2},
    {"ProfileStart4", L"kr2sp.exe   +set fs_game players_kr2\\Player4_saves", nullptr, 2},
    {"ProfileStart5", L"kr2sp.exe   +set fs_game players_kr2\\Player5_saves", nullptr, 2},
    {"SafeModeSingle", L"kr2sp.exe  safe", nullptr, 2},
    {"SafeModeMulti", L"kr2mp.exe  safe", nullptr, 2},
    {"LevelStart1", L"kr2sp.exe  map tovek_gate", nullptr, 2},
    {"LevelStart2", L"kr2sp.exe  map tovek_keep", nullptr, 2},
    {"LevelStart3", L"kr2sp.exe  map orlan_quarry", nullptr, 2},
    {"LevelStart4", L"kr2sp.exe  map orlan_cells", nullptr, 2},
    {"LevelStart5", L"kr2sp.exe  map orlan_upperdeck", nullptr, 2},
    {"LevelStart6", L"kr2sp.exe  map gorge", nullptr, 2},
    {"LevelStart7", L"kr2sp.exe  map sarneth_shrine", nullptr, 2},
    {"LevelStart8", L"kr2sp.exe  map sarneth_ordeal", nullptr, 2},
    {"LevelStart9", L"kr2sp.exe  map zr_alleys", nullptr, 2},
    {"LevelStart10", L"kr2sp.exe  map zr_den", nullptr, 2},
    {"LevelStart11", L"kr2sp.exe  map zr_skydock", nullptr, 2},
    {"LevelStart12", L"kr2sp.exe  map caldor_lowtown", nullptr, 2},
    {"LevelStart13", L"kr2sp.exe  map caldor_alleys", nullptr, 2},
    {"LevelStart14", L"kr2sp.exe  map caldor_spire", nullptr, 2},
    {"LevelStart15", L"kr2sp.exe  map drumbar_harbor", nullptr, 2},
    {"LevelStart16", L"kr2sp.exe  map drumbar_foundry", nullptr, 2},
    {"LevelStart17", L"kr2sp.exe  map drumbar_core", nullptr, 2},
    {"LevelStart18", L"kr2sp.exe  map drumbar_pier1", nullptr, 2},
    {"LevelStart19", L"kr2sp.exe  map heskel_relay", nullptr, 2},
    {"LevelStart20", L"kr2sp.exe  map heskel_cells", nullptr, 2},
    {"LevelStart21", L"kr2sp.exe  map heskel_wards", nullptr, 2},
    {"LevelStart22", L"kr2sp.exe  map sarneth_marsh", nullptr, 2},
    {"LevelStart23", L"kr2sp.exe  map sarneth_ravine", nullptr, 2},
    {"LevelStart24", L"kr2sp.exe  map sarneth_plaza", nullptr, 2},
    {"LevelStart25", L"kr2sp.exe  map sarneth_summit", nullptr, 2},
    {"LevelStart26", L"kr2sp.exe  map arena", nullptr, 2},
};
static_assert(std::size(kExpected) == kLaunchCatalogue.size());

std::wstring ExpectedModule(const Expected& e) {
    if (e.program) return e.program;
    return LaunchWorld::GameExe(e.line.substr(0, 9) == L"kr2mp.exe" ? L"kr2mp.exe" : L"kr2sp.exe");
}

// One started entry: one record, and the line, show state, program and
// working directory it carries.
void CheckStarted(const LaunchWorld& world, const Expected& e, std::wstring_view catalogueLine) {
    const auto records = world.Log().WaitFor(1);
    if (!KR2_CHECK_EQ(records.size(), std::size_t{1})) return;
    const auto& r = records[0];
    KR2_CHECK_EQ(r.commandLine, std::wstring(catalogueLine));
    KR2_CHECK_EQ(r.commandLine, std::wstring(e.line));
    KR2_CHECK((r.startupFlags & STARTF_USESHOWWINDOW) != 0);
    KR2_CHECK_EQ(r.showWindow, e.show);
    if (!SamePath(r.module, ExpectedModule(e))) KR2_CHECK_EQ(r.module, ExpectedModule(e));
    KR2_CHECK_EQ(r.currentDir, world.WorkDir());
}

}  // namespace

KR2_E2E_TEST(EveryEntryReachesItsProgramUnchanged) {
    LaunchWorld world(L"catalogue");
    SwappedFile notepad(kNotepadPath, SwappedFile::Kind::Stub);
    SwappedFile explorer(kExplorerPath, SwappedFile::Kind::Stub);

    for (std::size_t i = 0; i < kLaunchCatalogue.size(); ++i) {
        const LaunchAction& entry = kLaunchCatalogue[i];
        const Expected& e = kExpected[i];
        std::printf("  %s\n", std::string(entry.name).c_str());
        KR2_CHECK_EQ(entry.name, e.entry);
        world.Log().Clear();
        world.window.unloads = 0;
        world.end.calls = 0;

        world.Run(entry);
        CheckStarted(world, e, entry.commandLine);

        // A start that worked: no box, and exactly the entry's follow-up.
        KR2_CHECK(world.errorBox.shown.empty());
        KR2_CHECK_EQ(world.end.calls, entry.followUp == FollowUp::EndProgram ? 1 : 0);
        KR2_CHECK_EQ(world.window.unloads, entry.followUp == FollowUp::CloseWindow ? 1 : 0);
    }
}

KR2_E2E_TEST(FallbackLineReachesSecondNotepadThenTheProgramEnds) {
    LaunchWorld world(L"fallback");
    SwappedFile notepad(kNotepadPath, SwappedFile::Kind::Absent);
    SwappedFile notepadNt(kNotepadNtPath, SwappedFile::Kind::Stub);
    const LaunchAction& readme = LaunchCatalogue("ReadmeOpen");

    world.Run(readme);
    CheckStarted(world,
                 {"ReadmeOpen", L"C:\\WinNT\\Notepad.exe ..\\Install\\readme.txt", kNotepadNtPath, 1},
                 readme.fallbackCommandLine);
    KR2_CHECK(world.errorBox.shown.empty());
    KR2_CHECK_EQ(world.end.calls, 1);
    KR2_CHECK_EQ(world.window.unloads, 0);
}

KR2_E2E_TEST(ReadmeTwiceStartsTwoNotepadsAndStays) {
    LaunchWorld world(L"readme-twice");
    SwappedFile notepad(kNotepadPath, SwappedFile::Kind::Stub);
    const LaunchAction& readme = LaunchCatalogue("ReadmeOpen");

    world.Run(readme);
    world.Run(readme);
    const auto records = world.Log().WaitFor(2);
    if (!KR2_CHECK_EQ(records.size(), std::size_t{2})) return;
    KR2_CHECK(records[0].processId != records[1].processId);
    for (const auto& r : records) KR2_CHECK_EQ(r.commandLine, std::wstring(readme.commandLine));
    KR2_CHECK_EQ(world.end.calls, 0);
    KR2_CHECK(world.errorBox.shown.empty());
}
