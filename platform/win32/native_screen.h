#pragma once
// The real screen: builds each launcher window and its controls from the
// layout data at the window's own DPI and turns clicks, close requests and
// DPI changes into calls on the Launcher.

#include <windows.h>

#include <array>
#include <exception>
#include <memory>
#include <utility>

#include "gdi_owner.h"
#include "launcher.h"
#include "screen.h"

namespace kr2 {

class NativeScreen final : public Screen {
public:
    explicit NativeScreen(HINSTANCE instance);
    ~NativeScreen();
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

    // A failure caught at the window-procedure boundary: user32 must never
    // see an exception, so it waits here until the message loop returns.
    bool HasFailure() const { return static_cast<bool>(failure_); }
    std::exception_ptr TakeFailure() { return std::exchange(failure_, nullptr); }

private:
    struct Form;

    static LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(Form& form, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnActivate(Form& form, WPARAM wParam);
    void OnCommand(Form& form, WPARAM wParam, LPARAM lParam);
    void Click(WindowId id, int index);
    void CloseRequest(WindowId id);
    Form* Find(WindowId id) const;
    static void Place(HINSTANCE instance, Form& form, const RECT* suggested);
    static void FitWindow(Form& form, const RECT* suggested, bool move);
    static IconOwner LoadIcons(HINSTANCE instance, Form& form, bool ownIcons);
    static WPARAM FontFor(const Form& form, const ControlSpec& c);

    HINSTANCE instance_;
    Launcher* launcher_ = nullptr;
    std::array<std::unique_ptr<Form>, kWindowCount> forms_;
    HWND active_ = nullptr;
    std::exception_ptr failure_;
};

}  // namespace kr2
