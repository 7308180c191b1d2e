// The signed kr2_s1.exe of the release (made by sign_test.sh, named by
// KR2_SIGNED_EXE) starts like the unsigned one: its main window opens, and
// "Exit to Windows" ends it with exit code 0.

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "expect.h"
#include "files.h"
#include "launcher_run.h"
#include "stub_log.h"
#include "utf8.h"

namespace kr2::e2e {
namespace {

std::wstring SignedExe() {
    std::wstring path(32768, L'\0');
    const DWORD n = GetEnvironmentVariableW(L"KR2_SIGNED_EXE", path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size()) return {};
    path.resize(n);
    for (wchar_t& c : path) if (c == L'/') c = L'\\';
    return path;
}

std::vector<unsigned char> ReadAll(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le32(const std::vector<unsigned char>& b, std::size_t at) {
    if (at + 4 > b.size()) return 0;
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// The size the PE header gives the certificate table (the Authenticode
// signature), 0 when there is none or the file is no PE32+ image.
std::uint32_t CertificateTableSize(const std::vector<unsigned char>& image) {
    if (image.size() < 0x40 || image[0] != 'M' || image[1] != 'Z') return 0;
    const std::size_t pe = Le32(image, 0x3c);
    const std::size_t optional = pe + 24;
    if (Le32(image, pe) != 0x4550 || optional + 2 > image.size()) return 0;
    if ((image[optional] | image[optional + 1] << 8) != 0x20b) return 0;
    // Data directory 4 of a PE32+ optional header: file offset, size.
    return Le32(image, optional + 112 + 4 * 8 + 4);
}

TEST(GuiSigned, SignedLauncherShowsItsMainWindow) {
    const std::wstring signedExe = SignedExe();
    ASSERT_FALSE(signedExe.empty()) << "KR2_SIGNED_EXE does not name the signed kr2_s1.exe (ctest's gui_signed sets it)";
    const auto image = ReadAll(signedExe);
    ASSERT_FALSE(image.empty()) << "cannot read " << e2e::ToUtf8(signedExe);
    ASSERT_GT(CertificateTableSize(image), 0u) << e2e::ToUtf8(signedExe) << " carries no signature";
    ASSERT_TRUE(image != ReadAll(LauncherExe())) << "the signed file is the unsigned build";

    e2e::TempRoot root(L"gui_signed");
    const std::wstring game = root / L"Game";
    e2e::CopyFileTo(signedExe, game + L"\\kr2_s1.exe");
    e2e::PlaceStub(game + L"\\kr2sp.exe");
    e2e::PlaceStub(game + L"\\kr2mp.exe");
    e2e::StubLog log(root / L"stub.log");

    LauncherRun run(game + L"\\kr2_s1.exe", game, log);
    HWND main = run.WaitWindow(WindowId::frmMain, 10000);
    if (!main) return;
    Expect(IsWindowVisible(main) != FALSE, "the signed launcher's main window is visible");
    run.Press(main, WindowId::frmMain, L"E&xit to Windows");
    const auto code = run.ExitCode(5000);
    if (!Expect(code.has_value(), "\"E&xit to Windows\" ends the signed launcher")) return;
    ExpectEq(*code, 0u, "the signed launcher's exit code");
    Expect(log.Read().empty(), "the signed launcher started no game on the way");
}

}  // namespace
}  // namespace kr2::e2e
