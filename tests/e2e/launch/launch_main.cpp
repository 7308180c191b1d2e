// The launch core with the real Win32 ports, end to end under Wine.

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "child_process.h"
#include "child_modes.h"
#include "utf8.h"
#include "wave_file.h"
#include "play_wave.h"
#include "win32_ports.h"

using namespace kr2;
using namespace kr2::e2e;

namespace {

std::wstring g_marker;

void WriteMarker(const char* what) {
    if (!g_marker.empty()) e2e::WriteBytes(g_marker, what);
}

struct WritesOnDestruction {
    ~WritesOnDestruction() { WriteMarker("static destructor"); }
};

int RunChildMode(const std::wstring& mode, const std::wstring& file) {
    if (mode == kModeProgramDir) {
        e2e::WriteBytes(file, e2e::ToUtf8(Win32ProgramDir().ProgramDir()));
        return 0;
    }
    if (mode == kModeEndProgram) {
        g_marker = file;
        static WritesOnDestruction armed;
        std::atexit([] { WriteMarker("atexit"); });
        Win32ProgramEnd().EndProgram();
        WriteMarker("returned");  // must never run
        return 7;
    }
    if (mode == kModePlayCue) {
        Win32ProgramDir programDir;
        Win32FileProbe probe;
        Win32WavePlayer player;
        const std::uint64_t start = e2e::NowMs();
        PlayCue(SoundCue::Start, SoundPorts{programDir, probe, player});
        const std::uint64_t ms = e2e::NowMs() - start;
        e2e::WriteBytes(file, std::to_string(ms) + "\t" +
                                  e2e::ToUtf8(CuePath(programDir.ProgramDir(), SoundCue::Start)));
        return 0;
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (args && count == 3 && args[1][0] == L'-') {
        const int code = RunChildMode(args[1], args[2]);
        LocalFree(args);
        return code;
    }
    if (args) LocalFree(args);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
