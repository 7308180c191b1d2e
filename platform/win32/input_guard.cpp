#include "input_guard.h"

#include <utility>

#include "stale_input.h"

namespace kr2::input {
namespace {

// One thread, one queue: one guard for every loop that reads it.
StaleInputFilter guard;

WindowKey KeyOf(HWND window) noexcept { return reinterpret_cast<WindowKey>(window); }

// The mouse buttons' messages come in threes (down, up, double click) per
// button, left, right, middle and, after the wheel's, the X buttons, in the
// client area and in the frame alike.
bool ReadButton(const MSG& msg, InputEvent& e) noexcept {
    const UINT first = msg.message >= WM_MOUSEFIRST ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN;
    if (msg.message < first || msg.message > first + 12 || msg.message == first + 9) return false;
    const UINT at = msg.message - first - (msg.message > first + 9 ? 1 : 0);  // past the wheel's
    e.kind = at % 3 == 1 ? InputEvent::Kind::Release : InputEvent::Kind::Press;
    e.code = at / 3 + (at / 3 == 3 && GET_XBUTTON_WPARAM(msg.wParam) == XBUTTON2 ? 2 : 1);
    return true;
}

// The keys' messages come in fours, plain and with Alt: down, up, a
// character, a dead character.
InputEvent::Kind KeyKindOf(UINT msg) noexcept {
    static_assert(WM_KEYUP == WM_KEYDOWN + 1 && WM_CHAR == WM_KEYDOWN + 2 && WM_DEADCHAR == WM_KEYDOWN + 3 &&
                  WM_SYSKEYDOWN == WM_KEYDOWN + 4 && WM_SYSDEADCHAR == WM_KEYDOWN + 7);
    if (msg < WM_KEYDOWN || msg > WM_SYSDEADCHAR) return InputEvent::Kind::None;
    const UINT at = (msg - WM_KEYDOWN) % 4;
    return at == 0 ? InputEvent::Kind::KeyDown : at == 1 ? InputEvent::Kind::KeyUp : InputEvent::Kind::Other;
}

// A box's loop hands each message to its dialog manager, which asks this
// hook first: a message it claims goes no further. A loop may ask twice
// for one message (as a message box and as a dialog): the guard judges it
// once.
LRESULT CALLBACK BoxMessages(int code, WPARAM wParam, LPARAM lParam) {
    static MSG judged{};
    static bool dropped = false;
    const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX || code == MSGF_MESSAGEBOX) {
        if (msg.message != judged.message || msg.time != judged.time || msg.hwnd != judged.hwnd ||
            msg.wParam != judged.wParam || msg.lParam != judged.lParam) {
            judged = msg;
            dropped = Drops(msg);
        }
        if (dropped) return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The box appears once: a later activation (the player clicking it back to
// the front) is no new appearance, and that click is meant for it.
bool boxAppeared = false;

LRESULT CALLBACK BoxActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && !std::exchange(boxAppeared, true))
        Appeared(reinterpret_cast<HWND>(wParam), GetTickCount());
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool Drops(const MSG& msg) noexcept {
    InputEvent e;
    if (!ReadButton(msg, e)) {
        e.kind = KeyKindOf(msg.message);
        // Read too: the launcher no longer acts on the input before it.
        if (e.kind == InputEvent::Kind::None) return guard.Drops(e, {});
        e.code = static_cast<unsigned>(msg.wParam);
        // Auto-repeat: the key was already down before this message.
        e.repeat = e.kind == InputEvent::Kind::KeyDown && (msg.lParam & (1 << 30)) != 0;
    }
    e.time = static_cast<std::uint32_t>(msg.time);
    e.window = KeyOf(msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr);
    e.x = msg.pt.x;
    e.y = msg.pt.y;
    const DoubleClickMeasure measure{static_cast<std::uint32_t>(GetDoubleClickTime()),
                                     GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK)};
    return guard.Drops(e, measure);
}

void Appeared(HWND window, DWORD since) noexcept { guard.Appeared(KeyOf(window), since); }

void Vanishing(HWND window) noexcept { guard.Vanished(KeyOf(window)); }

void KeysReleased() noexcept { guard.KeysReleased(); }

ModalBoxGuard::ModalBoxGuard() noexcept
    : activation_((boxAppeared = false, SetWindowsHookExW(WH_CBT, BoxActivation, nullptr, GetCurrentThreadId()))),
      messages_(SetWindowsHookExW(WH_MSGFILTER, BoxMessages, nullptr, GetCurrentThreadId())) {
    if (messages_ && activation_) return;
    // Without its hooks the box would read what waits in the queue first:
    // it goes now, and only what comes once the box is up reaches it.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
    }
}

ModalBoxGuard::~ModalBoxGuard() {
    if (messages_) UnhookWindowsHookEx(messages_);
    if (activation_) UnhookWindowsHookEx(activation_);
}

}  // namespace kr2::input
