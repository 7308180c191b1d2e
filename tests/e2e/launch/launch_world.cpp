#include "launch_world.h"

#include <windows.h>

namespace kr2::e2e {

void RecordingErrorBox::ShowRunTimeError(const LaunchError& error) {
    shown.push_back(error);
    if (order) order->push_back("box");
}

void RecordingEnd::EndProgram() {
    ++calls;
    if (order) order->push_back("end");
}

LaunchWorld::LaunchWorld(const std::wstring& name)
    : root_(L"launch-" + name), log_(root_ / L"stub.log") {
    errorBox.order = &order;
    end.order = &order;
    wchar_t dir[MAX_PATH + 1] = {};
    GetCurrentDirectoryW(MAX_PATH + 1, dir);
    previousDir_ = dir;
    // Started programs inherit this; neither the launcher nor the ports set one.
    SetCurrentDirectoryW(root_.path().c_str());
    e2e::PlaceStub(GameExe(L"kr2sp.exe"));
    e2e::PlaceStub(GameExe(L"kr2mp.exe"));
}

LaunchWorld::~LaunchWorld() {
    SetCurrentDirectoryW(previousDir_.c_str());
    DeleteFileW(GameExe(L"kr2sp.exe").c_str());
    DeleteFileW(GameExe(L"kr2mp.exe").c_str());
}

std::wstring LaunchWorld::GameExe(const wchar_t* file) {
    return e2e::ThisProgramDir() + L"\\" + file;
}

void LaunchWorld::Run(const LaunchAction& entry) {
    RunLaunchAction(entry, window, LaunchPorts{launcher, errorBox, end});
}

}  // namespace kr2::e2e
