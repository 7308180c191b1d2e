#pragma once
// The two controls that show the launcher's artwork: the picture box (a
// sunken box holding the main window's bitmap) and the image (the program
// icon, borderless). Both report a click to their parent as WM_COMMAND with
// STN_CLICKED, as a notifying static control would. The picture box can hold
// the focus, shows it with the focus rectangle and ignores the keys; both
// give assistive technology a name and the graphic role.

#include <windows.h>

namespace kr2 {

inline constexpr wchar_t kPictureBoxClass[] = L"Kr2PictureBox";
inline constexpr wchar_t kIconImageClass[] = L"Kr2IconImage";
// The image shows the program icon at this size at 96 DPI, scaled with it.
inline constexpr int kIconDesignSize = 32;

// Registers both classes; throws RunTimeFailure if the platform refuses.
void RegisterImageControlClasses(HINSTANCE instance);

// What a control shows: its image (the caller keeps owning it) and the DPI
// its window is laid out for, which the picture is drawn at. The icon is
// made at that DPI's size and drawn at its own. Handed over at creation
// (lpParam points to it) and changed when the window moves to another DPI.
struct ShownImage {
    HANDLE image;
    UINT dpi;
};
void SetControlImage(HWND control, const ShownImage& shown) noexcept;

}  // namespace kr2
