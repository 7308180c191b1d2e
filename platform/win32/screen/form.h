#pragma once
// One open launcher window: the native window and its controls, made from
// the window's layout data at the window's own DPI, and the pictures that
// live exactly as long as it does.

#include <windows.h>

#include <vector>

#include "control_classes.h"
#include "fonts.h"
#include "image_controls.h"
#include "layout.h"
#include "owner.h"

namespace kr2 {

class NativeScreen;

// The window classes of the launcher's windows, whose procedure is `proc`;
// throws RunTimeFailure if the platform refuses them.
void RegisterFormClasses(HINSTANCE instance, WNDPROC proc);

struct Form {
    Form(NativeScreen& owner, const WindowSpec& description)
        : screen(owner), desc(description), controls(description.controls.size(), nullptr) {}
    // The window goes first; the pictures below are freed after it, so no
    // control is ever left holding a deleted one.
    ~Form() {
        if (hwnd) DestroyWindow(hwnd);
    }
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Makes the window, hidden and centred on the primary monitor (within its
    // work area), with its controls at their final rectangles, fonts and
    // pictures: nothing moves or repaints before it is first shown. Throws
    // RunTimeFailure.
    void Build(HINSTANCE instance, Fonts& fonts);
    // The form of a launcher window, for its window procedure; nullptr for
    // the last message (WM_NCDESTROY), after which the form has no window.
    // The form learns its window at the first message (WM_NCCREATE).
    static Form* Of(HWND window, UINT msg, LPARAM lParam) noexcept;
    // The outer size the window has when it opens at `newDpi`: what it asks
    // for before the platform moves it to a monitor of that DPI. False if
    // the platform cannot tell its frame at that DPI.
    bool SizeAt(UINT newDpi, SIZE& size) const noexcept;
    // The platform has moved the window to a monitor of another DPI: it
    // takes the rectangle the platform suggests, then fonts, icons, the
    // picture and control rectangles follow the new DPI.
    void ChangeDpi(HINSTANCE instance, Fonts& fonts, UINT newDpi, const RECT& suggested);

    NativeScreen& screen;
    const WindowSpec desc;
    HWND hwnd = nullptr;
    // The DPI the window is laid out for: every figure, font and picture of
    // it follows this one, not the platform's own answer for the window.
    UINT dpi = 96;
    std::vector<HWND> controls;  // by table index
    BitmapOwner picture;
    IconOwner bigIcon;
    IconOwner smallIcon;
    IconOwner imageIcon;
    // The image icon a DPI change replaced, until every image control shows
    // the new one: if that change fails part way, the window keeps it (and
    // the error box paints over a live icon).
    IconOwner retiredImageIcon;

private:
    // Control `index` at its rectangle, font and image at the window's DPI:
    // made there (`make`) or moved there. Throws RunTimeFailure.
    void Place(int index, HINSTANCE instance, Fonts& fonts, bool make);
    void LoadIcons(HINSTANCE instance, bool ownWindowIcons);
    // What an artwork control shows at the window's DPI.
    ShownImage ImageFor(ImageSource source) const noexcept;
};

}  // namespace kr2
