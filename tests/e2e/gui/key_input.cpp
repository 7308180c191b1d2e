#include "key_input.h"

#include "window_probe.h"

namespace kr2::gui {
namespace {

INPUT Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

}  // namespace

bool WaitForeground(HWND hwnd, DWORD timeoutMs) {
    return WaitFor([&] { return GetForegroundWindow() == hwnd; }, timeoutMs);
}

void PressKey(WORD vk) {
    INPUT in[2] = {Key(vk, false), Key(vk, true)};
    SendInput(2, in, sizeof(INPUT));
}

void PressAltKey(WORD vk) {
    INPUT in[4] = {Key(VK_MENU, false), Key(vk, false), Key(vk, true), Key(VK_MENU, true)};
    SendInput(4, in, sizeof(INPUT));
}

}  // namespace kr2::gui
