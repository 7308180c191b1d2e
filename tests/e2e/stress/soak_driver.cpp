#include "soak_driver.h"

#include "expect.h"
#include "expected_layout.h"
#include "window_probe.h"

namespace kr2::e2e {
namespace {

constexpr DWORD kTimeoutMs = 5000;

HWND Control(HWND top, WindowId w, std::wstring_view caption) {
    const int index = e2e::ControlIndex(Expected(w), caption);
    return index >= 0 ? e2e::FindControl(top, Expected(w), index) : nullptr;
}

HWND ImageOf(HWND top, WindowId w) {
    const auto& controls = Expected(w).controls;
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i].kind == e2e::Kind::Image) return e2e::FindControl(top, Expected(w), static_cast<int>(i));
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

SoakDriver::SoakDriver(const e2e::LauncherRun& run, HWND main) : pid_(run.Pid()), main_(main) {}

HWND SoakDriver::MainButton(std::wstring_view caption) const { return Control(main_, WindowId::frmMain, caption); }

HWND SoakDriver::WaitOpen(WindowId w) const {
    HWND found = nullptr;
    PollFor([&] {
        const auto all = e2e::TopLevelWindows(pid_, Expected(w).caption);
        found = all.size() == 1 ? all.front() : nullptr;
        return found != nullptr;
    }, kTimeoutMs);
    Expect(found != nullptr, Name(w) + " opens exactly once");
    return found;
}

HWND SoakDriver::Open(WindowId w) {
    if (w == WindowId::frmMain) return main_;
    // The main window's button on the way to `w`.
    WindowId first = w;
    while (design::Layout(first).openedBy.from != WindowId::frmMain) first = design::Layout(first).openedBy.from;
    const std::wstring_view opener = design::OpenerCaption(first);
    HWND button = MainButton(opener);
    if (!Expect(button != nullptr, "frmMain has its button " + e2e::Describe(opener))) return nullptr;
    // Posted presses: the soak counts what thousands of cycles leave behind,
    // and a real click astray now and then under Wine (driver/key_input.cpp)
    // would end it for a reason that is not the launcher's. Real clicks on
    // every window's buttons are the GUI group's.
    PostMessageW(button, BM_CLICK, 0, 0);
    if (first == w) return WaitOpen(w);

    // A window reached through another (the level window: SP Levels in
    // HM Options, which closes it).
    const design::Way way = design::Layout(w).openedBy;
    HWND from = WaitOpen(first);
    if (!from || !Expect(way.from == first, Name(w) + " is opened from a window of the main window's")) return nullptr;

    HWND next = Control(from, first, design::OpenerCaption(w));
    if (!Expect(next != nullptr, Name(first) + " has " + e2e::Describe(design::OpenerCaption(w)))) return nullptr;
    PostMessageW(next, BM_CLICK, 0, 0);
    HWND top = WaitOpen(w);
    if (way.closesFrom) {
        Expect(PollFor([&] { return !IsWindow(from); }, kTimeoutMs),
               e2e::Describe(design::OpenerCaption(w)) + " closes " + Name(first));
    } else {
        // Only `w` stays open, so that every cycle ends where it began.
        PostMessageW(from, WM_CLOSE, 0, 0);
        Expect(PollFor([&] { return !IsWindow(from); }, kTimeoutMs), Name(first) + " closes");
    }
    return top;
}

bool SoakDriver::Close(HWND top, WindowId w, CloseWay way) {
    switch (way) {
        case CloseWay::Button: {
            HWND button = Control(top, w, design::CloserCaption(w));
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

}  // namespace kr2::e2e
