#include "native_screen.h"

#include "control_order.h"
#include "input_guard.h"

namespace kr2 {
namespace {

// The dialog manager gives the button reached by Tab the default-button
// border (and Enter then arrives as that button's own click). Focus that
// moves on by a click, an access key or a change of window leaves the border
// behind, on a button that Enter no longer presses; it goes with the focus.
void LoseDefaultLook(HWND button) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
    if ((style & BS_TYPEMASK) != BS_DEFPUSHBUTTON) return;
    SendMessageW(button, BM_SETSTYLE, (style & 0xFFFF & ~BS_TYPEMASK) | BS_PUSHBUTTON, TRUE);
}

}  // namespace

// User32 must never see an exception: a failure waits in failure_ until the
// message loop returns, and after one nothing more of the launcher runs.
template <class Step>
void NativeScreen::Guarded(Step step) noexcept {
    if (failure_) return;
    try {
        step();
    } catch (...) {
        failure_ = std::current_exception();
    }
}

// The launcher's windows are dialogs to the platform: their class has the
// dialog manager's extra bytes and what they leave goes to DefDlgProc, which
// keeps each window's focus while another is active and gives it back, and
// focuses the first control in tab order when a window first opens.
LRESULT CALLBACK NativeScreen::FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Form* form = Form::Of(hwnd, msg, lParam);
    if (!form) return DefDlgProcW(hwnd, msg, wParam, lParam);
    return form->screen.HandleMessage(*form, msg, wParam, lParam);
}

// A click or a close request may destroy `form`: nothing touches it after
// the launcher has been called.
LRESULT NativeScreen::HandleMessage(Form& form, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            // Keys go through the dialog manager for the active window only.
            if (LOWORD(wParam) != WA_INACTIVE)
                active_ = form.hwnd;
            else if (active_ == form.hwnd)
                active_ = nullptr;
            break;  // the dialog manager keeps or gives back the focus
        case WM_COMMAND:
            OnCommand(form, wParam, lParam);
            return 0;
        case WM_CLOSE:
            // The launcher decides and destroys through the screen.
            if (launcher_) Guarded([&] { launcher_->OnCloseRequest(form.desc.id); });
            return 0;
        case WM_GETDPISCALEDSIZE:
            // Unanswered, the platform would scale the outer size in a
            // straight line, which misses the layout at the new DPI: each
            // twip figure rounds on its own and the frame does not scale so.
            return form.SizeAt(static_cast<UINT>(wParam), *reinterpret_cast<SIZE*>(lParam));
        case WM_DPICHANGED:
            Guarded([&] { form.ChangeDpi(instance_, fonts_, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); });
            return 0;
        case WM_DESTROY:
            if (active_ == form.hwnd) active_ = nullptr;
            break;
        case WM_ACTIVATEAPP:
            if (wParam) break;
            [[fallthrough]];
        case WM_EXITMENULOOP:
        case WM_EXITSIZEMOVE:
            // The keys' releases went elsewhere.
            input::KeysReleased();
            break;
    }
    return DefDlgProcW(form.hwnd, msg, wParam, lParam);
}

void NativeScreen::OnCommand(Form& form, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    const auto from = reinterpret_cast<HWND>(lParam);
    const auto& controls = form.desc.controls;

    if (!from) {
        // The dialog manager's Enter (IDOK) when the focused button does
        // not present itself as the default (no window has a default
        // button): press the focused button. IDCANCEL (Escape) does
        // nothing, on purpose.
        if (id != IDOK) return;
        HWND focus = GetFocus();
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (form.controls[i] == focus && ClassOf(controls[i].kind).pushButton) {
                Click(form.desc.id, static_cast<int>(i));
                return;
            }
        }
        return;
    }

    const int index = ControlIndex(id);
    if (index < 0 || static_cast<std::size_t>(index) >= controls.size()) return;
    if (form.controls[static_cast<std::size_t>(index)] != from) return;

    const ControlClass& cls = ClassOf(controls[static_cast<std::size_t>(index)].kind);
    if (cls.IsClick(static_cast<WORD>(code)))
        Click(form.desc.id, index);
    else if (cls.pushButton && code == BN_KILLFOCUS)
        LoseDefaultLook(from);
}

void NativeScreen::Click(WindowId id, int index) {
    if (launcher_) Guarded([&] { launcher_->OnClick(id, index); });
}

}  // namespace kr2
