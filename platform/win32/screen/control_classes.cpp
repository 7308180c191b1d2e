#include "control_classes.h"

#include <commctrl.h>

#include <iterator>

#include "image_controls.h"

namespace kr2 {

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

// By ControlKind. Overlapping neighbours clip each other, so the one created
// first (earlier in tab order) is the one painted on top. BS_NOTIFY reports
// focus changes. No button is made with BS_DEFPUSHBUTTON: the window has no
// default button. Enter reaches the focused one through IDOK, or as its own
// click where the dialog manager's Tab lent it the default border
// (native_screen_messages.cpp).
constexpr ControlClass kClasses[] = {
    {.kind = ControlKind::CommandButton,
     .name = L"BUTTON",
     .style = kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY,
     .clicks = Notifications({BN_CLICKED, BN_DOUBLECLICKED}),
     .pushButton = true,
     .takesFont = true},
    {.kind = ControlKind::Label, .name = L"STATIC", .style = kChild | SS_LEFT, .takesFont = true},
    // A real container: the dialog manager tabs into its children.
    {.kind = ControlKind::Frame,
     .name = L"BUTTON",
     .style = kChild | BS_GROUPBOX,
     .exStyle = WS_EX_CONTROLPARENT,
     .holdsControls = true,
     .takesFont = true},
    {.kind = ControlKind::PictureBox,
     .name = kPictureBoxClass,
     .style = kChild | WS_TABSTOP,
     .exStyle = WS_EX_CLIENTEDGE,
     .clicks = Notifications({STN_CLICKED}),
     .image = ImageSource::Picture},
    {.kind = ControlKind::Image,
     .name = kIconImageClass,
     .style = kChild,
     .clicks = Notifications({STN_CLICKED}),
     .image = ImageSource::ProgramIcon},
};

constexpr bool InKindOrder() {
    for (std::size_t i = 0; i < std::size(kClasses); ++i)
        if (static_cast<std::size_t>(kClasses[i].kind) != i) return false;
    return std::size(kClasses) == static_cast<std::size_t>(ControlKind::Image) + 1;
}
static_assert(InKindOrder(), "one class for every ControlKind, in its order");

}  // namespace

const ControlClass& ClassOf(ControlKind kind) noexcept { return kClasses[static_cast<std::size_t>(kind)]; }

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
