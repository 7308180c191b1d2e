#pragma once
// The launcher's 36 command lines, written out by hand once, runs of blanks
// and all, independently of its catalogue: the unit tests hold the
// catalogue's table against them, the launch tests what the ports hand to
// a started program, the GUI tests what a press in the real launcher starts.
// Portable and header-only, like expected_layout.h.

#include <array>
#include <string_view>

#include "window_id.h"

namespace kr2::design {

struct CatalogueLine {
    std::string_view entry;    // the catalogue entry's name
    WindowId window;           // the button that starts it: its window
    std::string_view control;  // and its name there
    std::wstring_view line;    // exactly as the started program must see it
};

// In the catalogue's own order.
inline constexpr std::array<CatalogueLine, 36> kCatalogueLines{{
    {"MultiplayerStart", WindowId::frmMain, "Command6", L"kr2mp.exe"},
    {"ReadmeOpen", WindowId::frmMain, "Command3", L"C:\\Windows\\Notepad.exe ..\\Install\\readme.txt"},
    {"HomePageOpen", WindowId::frmMain, "Command4", L"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE http://www.kestrane2.com/"},
    {"ProfileStart1", WindowId::Games, "Command1", L"kr2sp.exe  +set fs_game players_kr2\\Player1_saves"},
    {"ProfileStart2", WindowId::Games, "Command2", L"kr2sp.exe   +set fs_game players_kr2\\Player2_saves"},
    {"ProfileStart3", WindowId::Games, "Command4", L"kr2sp.exe   +set fs_game players_kr2\\Player3_saves"},
    {"ProfileStart4", WindowId::Games, "Command5", L"kr2sp.exe   +set fs_game players_kr2\\Player4_saves"},
    {"ProfileStart5", WindowId::Games, "Command6", L"kr2sp.exe   +set fs_game players_kr2\\Player5_saves"},
    {"SafeModeSingle", WindowId::Options, "Command2", L"kr2sp.exe  safe"},
    {"SafeModeMulti", WindowId::Options, "Command3", L"kr2mp.exe  safe"},
    {"LevelStart1", WindowId::spmaps, "Command1", L"kr2sp.exe  map tovek_gate"},
    {"LevelStart2", WindowId::spmaps, "Command2", L"kr2sp.exe  map tovek_keep"},
    {"LevelStart3", WindowId::spmaps, "Command3", L"kr2sp.exe  map orlan_quarry"},
    {"LevelStart4", WindowId::spmaps, "Command4", L"kr2sp.exe  map orlan_cells"},
    {"LevelStart5", WindowId::spmaps, "Command5", L"kr2sp.exe  map orlan_upperdeck"},
    {"LevelStart6", WindowId::spmaps, "Command6", L"kr2sp.exe  map gorge"},
    {"LevelStart7", WindowId::spmaps, "Command7", L"kr2sp.exe  map sarneth_shrine"},
    {"LevelStart8", WindowId::spmaps, "Command8", L"kr2sp.exe  map sarneth_ordeal"},
    {"LevelStart9", WindowId::spmaps, "Command9", L"kr2sp.exe  map zr_alleys"},
    {"LevelStart10", WindowId::spmaps, "Command10", L"kr2sp.exe  map zr_den"},
    {"LevelStart11", WindowId::spmaps, "Command11", L"kr2sp.exe  map zr_skydock"},
    {"LevelStart12", WindowId::spmaps, "Command12", L"kr2sp.exe  map caldor_lowtown"},
    {"LevelStart13", WindowId::spmaps, "Command13", L"kr2sp.exe  map caldor_alleys"},
    {"LevelStart14", WindowId::spmaps, "Command14", L"kr2sp.exe  map caldor_spire"},
    {"LevelStart15", WindowId::spmaps, "Command15", L"kr2sp.exe  map drumbar_harbor"},
    {"LevelStart16", WindowId::spmaps, "Command16", L"kr2sp.exe  map drumbar_foundry"},
    {"LevelStart17", WindowId::spmaps, "Command17", L"kr2sp.exe  map drumbar_core"},
    {"LevelStart18", WindowId::spmaps, "Command18", L"kr2sp.exe  map drumbar_pier1"},
    {"LevelStart19", WindowId::spmaps, "Command19", L"kr2sp.exe  map heskel_relay"},
    {"LevelStart20", WindowId::spmaps, "Command20", L"kr2sp.exe  map heskel_cells"},
    {"LevelStart21", WindowId::spmaps, "Command21", L"kr2sp.exe  map heskel_wards"},
    {"LevelStart22", WindowId::spmaps, "Command22", L"kr2sp.exe  map sarneth_marsh"},
    {"LevelStart23", WindowId::spmaps, "Command23", L"kr2sp.exe  map sarneth_ravine"},
    {"LevelStart24", WindowId::spmaps, "Command24", L"kr2sp.exe  map sarneth_plaza"},
    {"LevelStart25", WindowId::spmaps, "Command25", L"kr2sp.exe  map sarneth_summit"},
    {"LevelStart26", WindowId::spmaps, "Command26", L"kr2sp.exe  map arena"},
}};

// The readme's second try, once the first Notepad cannot be started.
inline constexpr std::wstring_view kReadmeFallbackLine = L"C:\\WinNT\\Notepad.exe ..\\Install\\readme.txt";

// The line of the entry named `entry`; empty for a name not in the list.
constexpr std::wstring_view CatalogueLineOf(std::string_view entry) {
    for (const CatalogueLine& l : kCatalogueLines)
        if (l.entry == entry) return l.line;
    return {};
}

// The lines' own rules, held as they compile: a slip in a line written out
// above that breaks one of them does not build.
namespace rules {

constexpr bool PlainAscii(std::wstring_view line) {
    if (line.empty() || line.back() == L' ') return false;
    for (wchar_t c : line)
        if (c < 0x20 || c >= 0x7F || c == L'"') return false;
    return true;
}

constexpr bool EveryLineIsPlainAsciiAndEveryNameUnique() {
    for (std::size_t i = 0; i < kCatalogueLines.size(); ++i) {
        if (!PlainAscii(kCatalogueLines[i].line)) return false;
        for (std::size_t j = i + 1; j < kCatalogueLines.size(); ++j)
            if (kCatalogueLines[i].entry == kCatalogueLines[j].entry) return false;
    }
    return PlainAscii(kReadmeFallbackLine);
}
static_assert(EveryLineIsPlainAsciiAndEveryNameUnique());

// The runs of blanks, counted: one more after "kr2sp.exe" for players 2 to 5.
static_assert(CatalogueLineOf("MultiplayerStart").size() == 9 && CatalogueLineOf("ReadmeOpen").size() == 44 &&
              kReadmeFallbackLine.size() == 42 && CatalogueLineOf("ProfileStart1").size() == 49 &&
              CatalogueLineOf("ProfileStart2").size() == 50 && CatalogueLineOf("ProfileStart3").size() == 50 &&
              CatalogueLineOf("ProfileStart4").size() == 50 && CatalogueLineOf("ProfileStart5").size() == 50 &&
              CatalogueLineOf("SafeModeSingle").size() == 15 && CatalogueLineOf("SafeModeMulti").size() == 15);
static_assert(CatalogueLineOf("HomePageOpen").substr(0, 48) == L"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE ");

// Levels: "kr2sp.exe  map " and one identifier of lower case, digits and "_".
constexpr bool LevelLinesNameOneMap() {
    int levels = 0;
    for (const CatalogueLine& l : kCatalogueLines) {
        if (!l.entry.starts_with("LevelStart")) continue;
        const std::wstring_view line = l.line;
        ++levels;
        if (line.size() <= 15 || line.substr(0, 15) != L"kr2sp.exe  map ") return false;
        for (wchar_t c : line.substr(15))
            if (!((c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'_')) return false;
    }
    return levels == 26 && CatalogueLineOf("LevelStart6").size() == 15 + 5;  // gorge
}
static_assert(LevelLinesNameOneMap());

}  // namespace rules

}  // namespace kr2::design
