#include "native_screen.h"

#include "image_controls.h"
#include "platform_failure.h"

namespace kr2 {

void NativeScreen::RegisterClasses(HINSTANCE instance) {
    RegisterFormClasses(instance, FormProc);
    if (!RegisterImageControlClasses(instance)) ThrowLastError();
}

void NativeScreen::Create(const WindowSpec& desc) {
    forms_[Index(desc.id)].reset();
    auto form = std::make_unique<Form>(*this, desc);
    form->Build(instance_, fonts_);
    forms_[Index(desc.id)] = std::move(form);
}

void NativeScreen::ShowAndActivate(WindowId id) {
    Form* form = Find(id);
    if (!form) return;
    // Focus and access-key cues as the last input calls for: shown for a
    // window opened from the keyboard, as a dialog does at its start.
    SendMessageW(form->hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
    ShowWindow(form->hwnd, SW_SHOW);
    SetForegroundWindow(form->hwnd);
}

void NativeScreen::BringToFront(WindowId id) {
    Form* form = Find(id);
    if (!form) return;
    if (IsIconic(form->hwnd)) ShowWindow(form->hwnd, SW_RESTORE);
    SetForegroundWindow(form->hwnd);
    SetActiveWindow(form->hwnd);
}

void NativeScreen::Destroy(WindowId id) {
    // Moved out first: while the window is torn down the slot reads empty.
    std::unique_ptr<Form> doomed = std::move(forms_[Index(id)]);
}

void NativeScreen::LeaveMessageLoop() { PostQuitMessage(0); }

}  // namespace kr2
