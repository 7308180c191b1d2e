#pragma once
// The launcher's 36 command lines, written out by hand once, runs of blanks
// and all, independently of its catalogue: the unit tests hold the
// catalogue's table against them, the launch tests what the ports hand to
// a started program, the GUI tests what a press in the real launcher starts.
// Portable and header-only, like expected_layout.h.

#include <array>
#include <string_view>

namespace kr2::design {

struct CatalogueLine {
    std::string_view entry;  // the catalogue entry's name
    std::wstring_view line;  // exactly as the started program must see it
};

// In the catalogue's own order.
inline constexpr std::array<CatalogueLine, 36> kCatalogueLines{{
    {"MultiplayerStart", L"kr2mp.exe"},
    {"ReadmeOpen", L"C:\\Windows\\Notepad.exe ..\\Install\\readme.txt"},
    {"HomePageOpen", L"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE http://www.kestrane2.com/"},
    {"ProfileStart1", L"kr2sp.exe  +set fs_game players_kr2\\Player1_saves"},
    {"ProfileStart2", L"kr2sp.exe   +set fs_game players_kr2\\Player2_saves"},
    {"ProfileStart3", L"kr2sp.exe   +set fs_game players_kr2\\Player3_saves"},
    {"ProfileStart4", L"kr2sp.exe   +set fs_game players_kr2\\Player4_saves"},
    {"ProfileStart5", L"kr2sp.exe   +set fs_game players_kr2\\Player5_saves"},
    {"SafeModeSingle", L"kr2sp.exe  safe"},
    {"SafeModeMulti", L"kr2mp.exe  safe"},
    {"LevelStart1", L"kr2sp.exe  map tovek_gate"},
    {"LevelStart2", L"kr2sp.exe  map tovek_keep"},
    {"LevelStart3", L"kr2sp.exe  map orlan_quarry"},
    {"LevelStart4", L"kr2sp.exe  map orlan_cells"},
    {"LevelStart5", L"kr2sp.exe  map orlan_upperdeck"},
    {"LevelStart6", L"kr2sp.exe  map gorge"},
    {"LevelStart7", L"kr2sp.exe  map sarneth_shrine"},
    {"LevelStart8", L"kr2sp.exe  map sarneth_ordeal"},
    {"LevelStart9", L"kr2sp.exe  map zr_alleys"},
    {"LevelStart10", L"kr2sp.exe  map zr_den"},
    {"LevelStart11", L"kr2sp.exe  map zr_skydock"},
    {"LevelStart12", L"kr2sp.exe  map caldor_lowtown"},
    {"LevelStart13", L"kr2sp.exe  map caldor_alleys"},
    {"LevelStart14", L"kr2sp.exe  map caldor_spire"},
    {"LevelStart15", L"kr2sp.exe  map drumbar_harbor"},
    {"LevelStart16", L"kr2sp.exe  map drumbar_foundry"},
    {"LevelStart17", L"kr2sp.exe  map drumbar_core"},
    {"LevelStart18", L"kr2sp.exe  map drumbar_pier1"},
    {"LevelStart19", L"kr2sp.exe  map heskel_relay"},
    {"LevelStart20", L"kr2sp.exe  map heskel_cells"},
    {"LevelStart21", L"kr2sp.exe  map heskel_wards"},
    {"LevelStart22", L"kr2sp.exe  map sarneth_marsh"},
    {"LevelStart23", L"kr2sp.exe  map sarneth_ravine"},
    {"LevelStart24", L"kr2sp.exe  map sarneth_plaza"},
    {"LevelStart25", L"kr2sp.exe  map sarneth_summit"},
    {"LevelStart26", L"kr2sp.exe  map arena"},
}};

// The readme's second try, once the first Notepad cannot be started.
inline constexpr std::wstring_view kReadmeFallbackLine = L"C:\\WinNT\\Notepad.exe ..\\Install\\readme.txt";

// The line of the entry named `entry`; empty for a name not in the list.
constexpr std::wstring_view CatalogueLineOf(std::string_view entry) {
    for (const CatalogueLine& l : kCatalogueLines)
        if (l.entry == entry) return l.line;
    return {};
}

}  // namespace kr2::design
