#include "key_input.h"

#include <algorithm>

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

// The pointer moved to `at`, in the absolute units SendInput wants.
INPUT MoveTo(POINT at) {
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (at.x * 65536 + w / 2) / w;
    in.mi.dy = (at.y * 65536 + h / 2) / h;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
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

POINT CentreOf(HWND hwnd) {
    const RECT r = ClientOnScreen(hwnd);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Each button event carries its own position. A bare one takes the pointer
// where it is then, and under Wine's virtual desktop the pointer was seen
// back at an earlier place after a move (most likely a late motion event of
// Wine's own pointer warp): of 40 presses sent as move, press, move,
// release, 2 to 27 went astray, also when each move was awaited through
// GetCursorPos; of 100 with the position in each button event, none.
void MouseClick(POINT down, POINT up) {
    INPUT in[2] = {MoveTo(down), MoveTo(up)};
    in[0].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
}

void MouseDoubleClick(POINT at) {
    INPUT in[4] = {MoveTo(at), MoveTo(at), MoveTo(at), MoveTo(at)};
    for (int i = 0; i < 4; ++i) in[i].mi.dwFlags |= i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    SendInput(4, in, sizeof(INPUT));
}

void MouseClickAfterRest(POINT at) {
    INPUT move = MoveTo(at);
    SendInput(1, &move, sizeof(INPUT));
    Sleep(300);
    MouseClick(at);
}

POINT CloseBoxOf(HWND top) {
    RECT w{};
    GetWindowRect(top, &w);
    // The caption bar's top right corner, where every theme puts the box.
    RECT box{w.right, w.bottom, w.left, w.top};
    for (int y = w.top; y < w.top + 48 && y < w.bottom; ++y) {
        for (int x = w.right - 1; x >= w.right - 64 && x >= w.left; --x) {
            const LPARAM at = MAKELPARAM(static_cast<short>(x), static_cast<short>(y));
            if (SendMessageW(top, WM_NCHITTEST, 0, at) != HTCLOSE) continue;
            box = {std::min(box.left, static_cast<LONG>(x)), std::min(box.top, static_cast<LONG>(y)),
                   std::max(box.right, static_cast<LONG>(x)), std::max(box.bottom, static_cast<LONG>(y))};
        }
    }
    if (box.left > box.right) return {-1, -1};
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

}  // namespace kr2::gui
