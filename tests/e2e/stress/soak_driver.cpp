#include "soak_driver.h"

#include "expect.h"
#include "window_probe.h"

namespace kr2::stress {
namespace {

using gui::Expect;
using gui::Expected;
using gui::Win;

constexpr DWORD kTimeoutMs = 5000;

std::string Name(Win w) { return std::string(Expected(w).name); }

HWND Control(HWND top, Win w, std::wstring_view caption) {
    const int index = gui::ControlIndex(Expected(w), caption);
    return index >= 0 ? gui::FindControl(top, Expected(w), index) : nullptr;
}

HWND ImageOf(HWND top, Win w) {
    const auto& controls = Expected(w).controls;
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i].kind == gui::Kind::Image) return gui::FindControl(top, Expected(w), static_cast<int>(i));
    return nullptr;
}

}  // namespace

std::string Describe(CloseWay way) {
    switch (way) {
        case CloseWay::Button: return "its Close button";
        case CloseWay::WmClose: return "WM_CLOSE";
        case CloseWay::SysCommandClose: return "SC_CLOSE";
        case CloseWay::IconClick: return "a click on its icon";
    }
    return "?";
}

SoakDriver::SoakDriver(const gui::LauncherRun& run, HWND main) : pid_(run.Pid()), main_(main) {}

HWND SoakDriver::MainButton(std::wstring_view caption) const { return Control(main_, Win::Main, caption); }

HWND SoakDriver::WaitOpen(Win w) const {
    HWND found = nullptr;
    PollFor([&] {
        const auto all = gui::TopLevelWindows(pid_, Expected(w).caption);
        found = all.size() == 1 ? all.front() : nullptr;
        return found != nullptr;
    }, kTimeoutMs);
    Expect(found != nullptr, Name(w) + " opens exactly once");
    return found;
}

HWND SoakDriver::Open(Win w) {
    std::wstring_view opener;
    switch (w) {
        case Win::Games: opener = L"&Start Kestrane II Single Player"; break;
        case Win::Options:
        case Win::Levels: opener = L"&Options"; break;
        case Win::About: opener = L"&About"; break;
        case Win::Main: return main_;
    }
    HWND button = MainButton(opener);
    if (!Expect(button != nullptr, "frmMain has its button " + e2e::Describe(opener))) return nullptr;
    // Posted presses: the soak counts what thousands of cycles leave behind,
    // and a real click astray now and then under Wine (gui/key_input.cpp)
    // would end it for a reason that is not the launcher's. Real clicks on
    // every window's buttons are the GUI group's.
    PostMessageW(button, BM_CLICK, 0, 0);
    if (w != Win::Levels) return WaitOpen(w);

    HWND options = WaitOpen(Win::Options);
    if (!options) return nullptr;

    HWND levels = Control(options, Win::Options, L"SP Levels");
    if (!Expect(levels != nullptr, "HM Options has \"SP Levels\"")) return nullptr;
    PostMessageW(levels, BM_CLICK, 0, 0);
    HWND top = WaitOpen(Win::Levels);
    Expect(PollFor([&] { return !IsWindow(options); }, kTimeoutMs), "\"SP Levels\" closes the options window");
    return top;
}

bool SoakDriver::Close(HWND top, Win w, CloseWay way) {
    switch (way) {
        case CloseWay::Button: {
            HWND button = Control(top, w, w == Win::About ? L"Close" : L"&Close");
            if (!Expect(button != nullptr, Name(w) + " has a Close button")) return false;
            PostMessageW(button, BM_CLICK, 0, 0);
            break;
        }
        case CloseWay::WmClose: PostMessageW(top, WM_CLOSE, 0, 0); break;
        case CloseWay::SysCommandClose: PostMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        case CloseWay::IconClick: {
            HWND image = ImageOf(top, w);
            if (!Expect(image != nullptr, Name(w) + " has an icon to click")) return false;
            PostMessageW(image, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
            PostMessageW(image, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
            break;
        }
    }
    return Expect(PollFor([&] { return !IsWindow(top); }, kTimeoutMs),
                  Name(w) + " closes by " + Describe(way));
}

}  // namespace kr2::stress
