#include "command_line.h"

#include <gtest/gtest.h>

#include <string>

#include "launch_catalogue.h"

namespace kr2 {
namespace {

std::wstring Part(std::wstring_view line) {
    const auto part = AbsoluteProgramPart(line);
    return part ? std::wstring(*part) : std::wstring(L"<none>");
}

TEST(AbsoluteProgramPart, CatalogueLinesWithAbsolutePrograms) {
    EXPECT_EQ(Part(kReadmeLine.view()), L"C:\\Windows\\Notepad.exe");
    EXPECT_EQ(Part(kReadmeFallbackLine.view()), L"C:\\WinNT\\Notepad.exe");
    // The blanks inside the path do not end the program part.
    EXPECT_EQ(Part(kHomePageLine.view()), L"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE");
}

TEST(AbsoluteProgramPart, BareGameNamesAreLeftToTheProgramSearch) {
    for (const LaunchAction& entry : kLaunchCatalogue) {
        if (entry.commandLine.starts_with(L"kr2")) {
            EXPECT_FALSE(AbsoluteProgramPart(entry.commandLine)) << entry.name;
        }
    }
    EXPECT_EQ(Part(L"kr2mp.exe"), L"<none>");
    EXPECT_EQ(Part(L"..\\Game\\kr2sp.exe  safe"), L"<none>");
    EXPECT_EQ(Part(L"\\\\server\\share\\x.exe a"), L"<none>");
    EXPECT_EQ(Part(L"C:relative.exe a"), L"<none>");
    EXPECT_EQ(Part(L"\"C:\\Program Files\\x.exe\" a"), L"<none>");  // quoted: the platform splits it
}

TEST(AbsoluteProgramPart, FirstExeFollowedByABlankOrTheEnd) {
    EXPECT_EQ(Part(L"C:\\a.exe"), L"C:\\a.exe");
    EXPECT_EQ(Part(L"d:\\A.ExE   x"), L"d:\\A.ExE");
    EXPECT_EQ(Part(L"C:\\a.exe\tx"), L"C:\\a.exe");
    // ".exe" inside a name does not count; the first one at a blank does.
    EXPECT_EQ(Part(L"C:\\my.exedir\\tool.exe run.exe x"), L"C:\\my.exedir\\tool.exe");
    EXPECT_EQ(Part(L"C:\\Program Files\\a.exe b.exe"), L"C:\\Program Files\\a.exe");
    EXPECT_EQ(Part(L"C:\\a.com x"), L"<none>");
    EXPECT_EQ(Part(L"C:\\"), L"<none>");
    EXPECT_EQ(Part(L"C:\\.exe"), L"C:\\.exe");
    EXPECT_EQ(Part(L""), L"<none>");
}

TEST(DirectoryOfModule, StripsTheFileNameButKeepsADriveRoot) {
    EXPECT_EQ(DirectoryOfModule(L"C:\\Games\\Launcher\\kr2_s1.exe"), L"C:\\Games\\Launcher");
    EXPECT_EQ(DirectoryOfModule(L"D:\\kr2_s1.exe"), L"D:\\");
    EXPECT_EQ(DirectoryOfModule(L"\\\\?\\D:\\kr2_s1.exe"), L"\\\\?\\D:\\");
    EXPECT_EQ(DirectoryOfModule(L"\\\\server\\share\\kr2_s1.exe"), L"\\\\server\\share");
    EXPECT_EQ(DirectoryOfModule(L"kr2_s1.exe"), L"");
}

}  // namespace
}  // namespace kr2
