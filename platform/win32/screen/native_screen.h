#pragma once
// The real screen: builds each launcher window from its layout data
// (form.h) and turns clicks, close requests and DPI changes into calls on
// the Launcher (native_screen_messages.cpp).

#include <windows.h>

#include <array>
#include <exception>
#include <memory>
#include <utility>

#include "fonts.h"
#include "form.h"
#include "launcher.h"
#include "screen.h"

namespace kr2 {

class NativeScreen final : public Screen {
public:
    explicit NativeScreen(HINSTANCE instance) : instance_(instance) {}
    NativeScreen(const NativeScreen&) = delete;
    NativeScreen& operator=(const NativeScreen&) = delete;

    // The window classes; throws RunTimeFailure if the platform refuses.
    static void RegisterClasses(HINSTANCE instance);

    // Where clicks and close requests go. Set before the first Create.
    void Attach(Launcher& launcher) { launcher_ = &launcher; }
    // From here on clicks and close requests are dropped (the run-time
    // error box is up and the program is about to end).
    void Detach() { launcher_ = nullptr; }

    void Create(const WindowSpec& desc) override;
    void ShowAndActivate(WindowId id) override;
    void BringToFront(WindowId id) override;
    void Destroy(WindowId id) override;
    void LeaveMessageLoop() override;

    // The launcher window that is active now, for IsDialogMessage; nullptr
    // when another program has the focus.
    HWND ActiveWindow() const { return active_; }

    // A failure caught at the window-procedure boundary (Guarded), waiting
    // for the message loop to return.
    bool HasFailure() const { return static_cast<bool>(failure_); }
    std::exception_ptr TakeFailure() { return std::exchange(failure_, nullptr); }

private:
    static LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(Form& form, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCommand(Form& form, WPARAM wParam, LPARAM lParam);
    void Click(WindowId id, int index);
    template <class Step>
    void Guarded(Step step) noexcept;
    Form* Find(WindowId id) const { return forms_[Index(id)].get(); }

    HINSTANCE instance_;
    Launcher* launcher_ = nullptr;
    Fonts fonts_;  // before the forms: every window has gone before its fonts
    std::array<std::unique_ptr<Form>, kWindowCount> forms_;
    HWND active_ = nullptr;
    std::exception_ptr failure_;
};

}  // namespace kr2
