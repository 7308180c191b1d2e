#pragma once
// LaunchCatalogue: every command line the launcher can start, written out.
// Runs of blanks are part of the lines: the game parses its own arguments.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "launch_types.h"

namespace kr2 {

namespace detail {
// One constant line joined at compile time from two string literals. An
// aggregate, so that the compiler keeps it with the read-only data (a class
// with a constructor of its own lands in writable data).
template <std::size_t N>
struct JoinedLine {
    std::array<wchar_t, N> text;
    constexpr std::wstring_view view() const { return {text.data(), N - 1}; }
};
template <std::size_t A, std::size_t B>
consteval JoinedLine<A + B - 1> Join(const wchar_t (&a)[A], const wchar_t (&b)[B]) {
    JoinedLine<A + B - 1> line{};
    for (std::size_t i = 0; i + 1 < A; ++i) line.text[i] = a[i];
    for (std::size_t i = 0; i < B; ++i) line.text[A - 1 + i] = b[i];
    return line;
}
}  // namespace detail

// The two halves of the joined lines. Each program path ends in exactly one blank.
inline constexpr wchar_t kNotepadWindows[] = L"C:\\Windows\\Notepad.exe ";
inline constexpr wchar_t kNotepadWinNT[] = L"C:\\WinNT\\Notepad.exe ";
inline constexpr wchar_t kReadmeArgument[] = L"..\\Install\\readme.txt";
inline constexpr wchar_t kInternetExplorer[] = L"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE ";
inline constexpr wchar_t kHomePageUrl[] = L"http://www.kestrane2.com/";

inline constexpr auto kReadmeLine = detail::Join(kNotepadWindows, kReadmeArgument);
inline constexpr auto kReadmeFallbackLine = detail::Join(kNotepadWinNT, kReadmeArgument);
inline constexpr auto kHomePageLine = detail::Join(kInternetExplorer, kHomePageUrl);

namespace detail {
constexpr LaunchAction Game(std::string_view name, std::wstring_view line,
                            FollowUp followUp = FollowUp::EndProgram) {
    return {name, line, ShowState::ShowMinimized, ErrorPolicy::IgnoreErrors, followUp, {},
            SoundCue::Start};
}
}  // namespace detail

inline constexpr std::array<LaunchAction, 36> kLaunchCatalogue{{
    detail::Game("MultiplayerStart", L"kr2mp.exe", FollowUp::CloseWindow),
    {"ReadmeOpen", kReadmeLine.view(), ShowState::ShowNormal, ErrorPolicy::FallbackThenEnd,
     FollowUp::Stay, kReadmeFallbackLine.view(), SoundCue::Click},
    {"HomePageOpen", kHomePageLine.view(), ShowState::ShowNormal, ErrorPolicy::Unhandled,
     FollowUp::EndProgram, {}, SoundCue::Click},

    detail::Game("ProfileStart1", L"kr2sp.exe  +set fs_game players_kr2\\Player1_saves"),
    detail::Game("ProfileStart2", L"kr2sp.exe   +set fs_game players_kr2\\Player2_saves"),
    detail::Game("ProfileStart3", L"kr2sp.exe   +set fs_game players_kr2\\Player3_saves"),
    detail::Game("ProfileStart4", L"kr2sp.exe   +set fs_game players_kr2\\Player4_saves"),
    detail::Game("ProfileStart5", L"kr2sp.exe   +set fs_game players_kr2\\Player5_saves"),

    detail::Game("SafeModeSingle", L"kr2sp.exe  safe"),
    detail::Game("SafeModeMulti", L"kr2mp.exe  safe"),

    detail::Game("LevelStart1", L"kr2sp.exe  map tovek_gate"),
    detail::Game("LevelStart2", L"kr2sp.exe  map tovek_keep"),
    detail::Game("LevelStart3", L"kr2sp.exe  map orlan_quarry"),
    detail::Game("LevelStart4", L"kr2sp.exe  map orlan_cells"),
    detail::Game("LevelStart5", L"kr2sp.exe  map orlan_upperdeck"),
    detail::Game("LevelStart6", L"kr2sp.exe  map gorge"),
    detail::Game("LevelStart7", L"kr2sp.exe  map sarneth_shrine"),
    detail::Game("LevelStart8", L"kr2sp.exe  map sarneth_ordeal"),
    detail::Game("LevelStart9", L"kr2sp.exe  map zr_alleys"),
    detail::Game("LevelStart10", L"kr2sp.exe  map zr_den"),
    detail::Game("LevelStart11", L"kr2sp.exe  map zr_skydock"),
    detail::Game("LevelStart12", L"kr2sp.exe  map caldor_lowtown"),
    detail::Game("LevelStart13", L"kr2sp.exe  map caldor_alleys"),
    detail::Game("LevelStart14", L"kr2sp.exe  map caldor_spire"),
    detail::Game("LevelStart15", L"kr2sp.exe  map drumbar_harbor"),
    detail::Game("LevelStart16", L"kr2sp.exe  map drumbar_foundry"),
    detail::Game("LevelStart17", L"kr2sp.exe  map drumbar_core"),
    detail::Game("LevelStart18", L"kr2sp.exe  map drumbar_pier1"),
    detail::Game("LevelStart19", L"kr2sp.exe  map heskel_relay"),
    detail::Game("LevelStart20", L"kr2sp.exe  map heskel_cells"),
    detail::Game("LevelStart21", L"kr2sp.exe  map heskel_wards"),
    detail::Game("LevelStart22", L"kr2sp.exe  map sarneth_marsh"),
    detail::Game("LevelStart23", L"kr2sp.exe  map sarneth_ravine"),
    detail::Game("LevelStart24", L"kr2sp.exe  map sarneth_plaza"),
    detail::Game("LevelStart25", L"kr2sp.exe  map sarneth_summit"),
    detail::Game("LevelStart26", L"kr2sp.exe  map arena"),
}};

// Read-only access by name. Evaluated at compile time where the name is a
// constant, so a misspelt name does not build.
constexpr const LaunchAction& LaunchCatalogue(std::string_view name) {
    for (const LaunchAction& entry : kLaunchCatalogue) {
        if (entry.name == name) return entry;
    }
    throw "no such launch catalogue entry";  // a compile error in constant evaluation
}

// LevelStart1 .. LevelStart26: level N is catalogue entry 9 + N.
constexpr const LaunchAction& LevelStart(int level) {
    if (level < 1 || level > 26) throw "no such level";
    return kLaunchCatalogue[static_cast<std::size_t>(9 + level)];
}

}  // namespace kr2
