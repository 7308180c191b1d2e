#include "key_input.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "window_probe.h"

namespace kr2::e2e {
namespace {

INPUT Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

// The pointer moved to `at`, in the absolute units SendInput wants, which
// the platform turns back into pixels rounding down (x * size / 65536): the
// smallest unit that gives the pixel. Rounded to nearest, a third of the
// rows of a 768-pixel screen came out one pixel higher.
INPUT MoveTo(POINT at) {
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (at.x * 65536 + w - 1) / w;
    in.mi.dy = (at.y * 65536 + h - 1) / h;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return in;
}

// Each move sent by PlacePointer carries its own mark as extra information,
// which the pointer's history keeps; the moves Wine adds itself carry none.
ULONG_PTR NextMoveMark() {
    static ULONG_PTR count = 0;
    return 0x4B520000u | (++count & 0xFFFFu);
}

// The pointer's history (GetMouseMovePointsEx), newest first, from the
// newest place equal to `anchor` on; empty when it holds no such place.
std::vector<MOUSEMOVEPOINT> HistoryFrom(POINT anchor) {
    MOUSEMOVEPOINT at{};
    at.x = anchor.x;
    at.y = anchor.y;
    std::vector<MOUSEMOVEPOINT> past(64);
    const int n = GetMouseMovePointsEx(sizeof(MOUSEMOVEPOINT), &at, past.data(),
                                       static_cast<int>(past.size()), GMMP_USE_DISPLAY_POINTS);
    past.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return past;
}

// Whether a place other than `at`, not sent from here, came into the history
// after the move marked `mark`. The history is read back from the place the
// pointer left and from `at`, so the report is found whether it is the
// newest entry or the window under `at` has since reported the pointer
// entering it there.
bool LeftPlaceReported(POINT from, POINT at, ULONG_PTR mark) {
    for (POINT anchor : {from, at}) {
        const std::vector<MOUSEMOVEPOINT> past = HistoryFrom(anchor);
        for (std::size_t i = 0; i < past.size(); ++i) {
            if (past[i].dwExtraInfo != mark) continue;
            for (std::size_t j = 0; j < i; ++j) {
                if (past[j].dwExtraInfo != mark && (past[j].x != at.x || past[j].y != at.y)) return true;
            }
            break;
        }
    }
    return false;
}

// The pointer moved to `at` ahead of a press there, and the press held back
// until Wine has had its say about the move. Wine moves the X pointer after
// every SendInput move that changes its position, under a short pointer grab
// (winex11's SetCursorPos); X reports the grab to the virtual desktop's
// window as the pointer entering it at its old place, and the desktop's
// thread in explorer.exe hands that on as one more mouse move, back to the
// old place, a few ms later. Sent as part of a click, that move came between
// the press and the release now and then (7 of 1,400 clicks on a busy
// machine, in a bare program without the launcher): the button saw the
// pointer leave it while held and let go without a click. Sent apart and
// awaited in the pointer's history, it lands before the press; the X pointer
// is then at the press already, so whatever Wine reports later names the
// press's own place. Over the bare desktop the pointer enters no window when
// grabbed, and there is no such move to wait for. Should the report not come
// within 2 s the press goes ahead, and a click lost then fails the caller's
// own check.
void PlacePointer(POINT at) {
    POINT from{};
    if (!GetCursorPos(&from) || (from.x == at.x && from.y == at.y)) return;
    const HWND left = WindowFromPoint(from);
    const bool reported = left != nullptr && left != GetDesktopWindow();
    INPUT move = MoveTo(at);
    move.mi.dwExtraInfo = NextMoveMark();
    SendInput(1, &move, sizeof(INPUT));
    if (reported) WaitFor([&] { return LeftPlaceReported(from, at, move.mi.dwExtraInfo); }, 2000);
}

}  // namespace

bool WaitForeground(HWND hwnd, DWORD timeoutMs) {
    return WaitFor([&] { return GetForegroundWindow() == hwnd; }, timeoutMs);
}

void PressKey(WORD vk) {
    INPUT in[2] = {Key(vk, false), Key(vk, true)};
    SendInput(2, in, sizeof(INPUT));
}

void HoldKey(WORD vk, DWORD ms) {
    INPUT down = Key(vk, false);
    for (DWORD held = 0; held < ms; held += 33) {
        SendInput(1, &down, sizeof(INPUT));
        Sleep(33);
    }
    INPUT up = Key(vk, true);
    SendInput(1, &up, sizeof(INPUT));
}

void PressAltKey(WORD vk) {
    INPUT in[4] = {Key(VK_MENU, false), Key(vk, false), Key(vk, true), Key(VK_MENU, true)};
    SendInput(4, in, sizeof(INPUT));
}

// Once Wine has reported the place the pointer left, which takes it back
// there, a second move to the same place stays: the X pointer is there already.
void MovePointer(POINT at) {
    PlacePointer(at);
    INPUT move = MoveTo(at);
    SendInput(1, &move, sizeof(INPUT));
}

POINT CentreOf(HWND hwnd) {
    const RECT r = ClientOnScreen(hwnd);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Each button event carries its own position. A bare one takes the pointer
// where it is then, and under Wine's virtual desktop the pointer was seen
// back at an earlier place after a move (Wine's report of the place a move
// left, see PlacePointer): of 40 presses sent as move, press, move, release,
// 2 to 27 went astray, also when each move was awaited through GetCursorPos;
// of 100 with the position in each button event, none. The pointer is put
// at the press first, so that report cannot come between press and release.
void MouseClick(POINT down, POINT up) {
    PlacePointer(down);
    INPUT in[2] = {MoveTo(down), MoveTo(up)};
    in[0].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
}

// As a player's hand gives it: two clicks 60 ms apart.
void MouseDoubleClick(POINT at) {
    PlacePointer(at);
    INPUT in[2] = {MoveTo(at), MoveTo(at)};
    in[0].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    Sleep(60);
    SendInput(2, in, sizeof(INPUT));
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

}  // namespace kr2::e2e
