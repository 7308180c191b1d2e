#include "native_screen.h"

#include "image_controls.h"
#include "input_guard.h"

namespace kr2 {

void NativeScreen::RegisterClasses(HINSTANCE instance) {
    RegisterFormClasses(instance, FormProc);
    RegisterImageControlClasses(instance);
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
    input::Appeared(form->hwnd, GetTickCount());
    ShowWindow(form->hwnd, SW_SHOW);
    SetForegroundWindow(form->hwnd);
}

void NativeScreen::BringToFront(WindowId id) {
    Form* form = Find(id);
    if (!form) return;
    input::Appeared(form->hwnd, GetTickCount());
    if (IsIconic(form->hwnd)) ShowWindow(form->hwnd, SW_RESTORE);
    SetForegroundWindow(form->hwnd);
    SetActiveWindow(form->hwnd);
}

void NativeScreen::Destroy(WindowId id) {
    // Moved out first: while the window is torn down the slot reads empty.
    std::unique_ptr<Form> doomed = std::move(forms_[Index(id)]);
    if (!doomed) return;
    const DWORD since = GetTickCount();
    input::Vanishing(doomed->hwnd);
    doomed.reset();
    // The platform has made another window active, which takes the keys
    // from now on: those typed before were meant for the one that went.
    if (const HWND now = GetActiveWindow(); now && now == active_) input::Appeared(now, since);
}

void NativeScreen::LeaveMessageLoop() { PostQuitMessage(0); }

}  // namespace kr2
