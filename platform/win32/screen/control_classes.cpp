#include "control_classes.h"

#include <commctrl.h>

#include "image_controls.h"

namespace kr2 {

// Overlapping neighbours clip each other, so the one created first (earlier
// in tab order) is the one painted on top. BS_NOTIFY reports focus changes.
// No button is made with BS_DEFPUSHBUTTON: the window has no default button.
// Enter reaches the focused one through IDOK, or as its own click where the
// dialog manager's Tab lent it the default border (form_messages.cpp).
ControlClass ClassOf(ControlKind kind) {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (kind) {
        case ControlKind::CommandButton:
            return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0, true};
        case ControlKind::Label:
            return {L"STATIC", kChild | SS_LEFT, 0, true};
        case ControlKind::Frame:
            // A real container: the dialog manager tabs into its children.
            return {L"BUTTON", kChild | BS_GROUPBOX, WS_EX_CONTROLPARENT, true};
        case ControlKind::PictureBox:
            return {kPictureBoxClass, kChild | WS_TABSTOP, WS_EX_CLIENTEDGE, false};
        case ControlKind::Image:
            return {kIconImageClass, kChild, 0, false};
    }
    return {L"STATIC", kChild, 0, false};
}

namespace {

// Children of a frame talk to their parent, which is the frame; the
// launcher listens on the window, so the frame passes their messages up.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, FrameProc, 0);
            break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

bool MakeFrameContainer(HWND frame) noexcept { return SetWindowSubclass(frame, FrameProc, 0, 0) != FALSE; }

}  // namespace kr2
