#include "form.h"

#include <string>
#include <utility>

#include "control_classes.h"
#include "control_order.h"
#include "dpi.h"
#include "platform_failure.h"
#include "image_controls.h"
#include "picture_resource.h"
#include "resource.h"

namespace kr2 {
namespace {

constexpr wchar_t kFormClass[] = L"Kr2Form";
// The main window's class: the same but for the program icon.
constexpr wchar_t kMainFormClass[] = L"Kr2MainForm";

struct Styles {
    DWORD style;
    DWORD exStyle;
};

// The main window: fixed single border, minimise box, no maximise, a
// taskbar button. The others: fixed tool windows with a close box only.
constexpr Styles FormStyles(BorderStyle border) {
    constexpr DWORD kCommon = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    return border == BorderStyle::FixedSingle ? Styles{kCommon | WS_MINIMIZEBOX, 0}
                                              : Styles{kCommon, WS_EX_TOOLWINDOW};
}

// The outer rectangle, at the origin, whose client area is the layout's at
// `dpi`; false if the platform cannot tell its frame.
bool OuterRect(const WindowSpec& desc, UINT dpi, RECT& outer) noexcept {
    const Styles styles = FormStyles(desc.border);
    outer = {0, 0, TwipsToPixels(desc.clientWidth, static_cast<int>(dpi)),
             TwipsToPixels(desc.clientHeight, static_cast<int>(dpi))};
    return dpi::AdjustRect(outer, styles.style, styles.exStyle, dpi);
}

// That rectangle centred on the primary monitor, within its work area.
RECT CentredRect(const WindowSpec& desc, UINT dpi) {
    RECT outer{};
    Checked(OuterRect, desc, dpi, outer);
    const PixelRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT work{};
    const PixelRect room = SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)
                               ? PixelRect{work.left, work.top, work.right - work.left, work.bottom - work.top}
                               : screen;
    const PixelRect at = PlaceCentred(outer.right - outer.left, outer.bottom - outer.top, screen, room);
    return {at.left, at.top, at.left + at.width, at.top + at.height};
}

// The program icon at `size` pixels; nullptr if the platform refuses it. An
// icon is decoration: a window goes on without it rather than the launcher
// ending over it (the main window then has no icon, the About window's
// image control shows nothing and still closes the window when clicked).
HICON LoadProgramIcon(HINSTANCE instance, int size) noexcept {
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

bool Shows(const WindowSpec& desc, ImageSource image) {
    for (const ControlSpec& c : desc.controls)
        if (ClassOf(c.kind).image == image) return true;
    return false;
}

}  // namespace

void RegisterFormClasses(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = DLGWINDOWEXTRA;  // DefDlgProc's own (native_screen_messages.cpp)
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    // The tool windows have no icon; the main window's class carries the
    // program icon at the system DPI, the one the window starts at on the
    // primary monitor. Handed over this way the platform takes the icons
    // when it first shows the window; two WM_SETICON would each have it
    // convert both icons for the window manager (under Wine, a few ms).
    // Loaded once and kept for the life of the process, as the class is.
    WNDCLASSEXW mainClass = wc;
    mainClass.lpszClassName = kMainFormClass;
    const UINT dpi = dpi::ForSystem();
    mainClass.hIcon = LoadProgramIcon(instance, dpi::SystemMetric(SM_CXICON, dpi));
    mainClass.hIconSm = LoadProgramIcon(instance, dpi::SystemMetric(SM_CXSMICON, dpi));
    Checked(RegisterClassExW, &wc);
    Checked(RegisterClassExW, &mainClass);
}

Form* Form::Of(HWND window, UINT msg, LPARAM lParam) noexcept {
    if (msg == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        return form;
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (msg == WM_NCDESTROY && form) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->hwnd = nullptr;
        return nullptr;
    }
    return form;
}

void Form::Build(HINSTANCE instance, Fonts& fonts) {
    const Styles styles = FormStyles(desc.border);
    const std::wstring caption(desc.caption);
    // Made for the primary monitor, whose DPI is the system one.
    const UINT expected = dpi::ForSystem();
    const RECT at = CentredRect(desc, expected);
    const wchar_t* cls = desc.mainWindow ? kMainFormClass : kFormClass;
    // The window procedure has set hwnd at WM_NCCREATE (Form::Of), before
    // the messages of creation that need it; the handle returned here is the
    // same one and only tells whether the window was made.
    Checked(CreateWindowExW, styles.exStyle, cls, caption.c_str(), styles.style, at.left, at.top, at.right - at.left,
            at.bottom - at.top, nullptr, nullptr, instance, this);
    dpi = dpi::ForWindow(hwnd);
    dpi::KeepDialogScalingOff(hwnd);

    if (Shows(desc, ImageSource::Picture)) picture = BitmapOwner(LoadPackedPicture(instance, IDB_PICTURE));
    LoadIcons(instance, dpi != expected);

    // Creation order is tab order: the dialog manager tabs in z-order.
    for (int index : CreationOrder(desc.controls)) Place(index, instance, fonts, true);

    // A window that came out at another DPI than expected takes its own size,
    // centred.
    if (dpi != expected) {
        const RECT own = CentredRect(desc, dpi);
        SetWindowPos(hwnd, nullptr, own.left, own.top, own.right - own.left, own.bottom - own.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// A control made here gets its rectangle and image with its creation
// (WM_NCCREATE takes the image), then its font; one that exists takes its
// font and image, then moves. The image changes also when the new icon could
// not be made: the control then shows nothing rather than the old one.
void Form::Place(int index, HINSTANCE instance, Fonts& fonts, bool make) {
    const auto i = static_cast<std::size_t>(index);
    const ControlSpec& c = desc.controls[i];
    const ControlClass& cls = ClassOf(c.kind);
    const PixelRect r = ControlPixels(c, static_cast<int>(dpi));
    const ShownImage shown = ImageFor(cls.image);
    if (make) {
        const HWND parent = c.container == kInWindow ? hwnd : controls[static_cast<std::size_t>(c.container)];
        const std::wstring text(c.caption);
        controls[i] = Checked(CreateWindowExW, cls.exStyle, cls.name, text.c_str(), cls.style, r.left, r.top,
                              r.width, r.height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(index))), instance,
                              shown.image ? const_cast<ShownImage*>(&shown) : nullptr);
        dpi::KeepControlScalingOff(controls[i]);
        if (cls.holdsControls) Checked(MakeFrameContainer, controls[i]);
    }
    const HWND control = controls[i];
    if (cls.takesFont) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.Get(dpi, c.bold)), FALSE);
    if (make) return;
    if (cls.image != ImageSource::None) SetControlImage(control, shown);
    SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The main window's own icons at the window's DPI when its class icons do
// not fit it (`ownWindowIcons`; the old ones go once the new ones are set),
// and the icon an image control shows. The image icon it replaces is kept
// (retiredImageIcon), as an image control may still show it.
void Form::LoadIcons(HINSTANCE instance, bool ownWindowIcons) {
    if (ownWindowIcons && desc.mainWindow) {
        IconOwner big(LoadProgramIcon(instance, dpi::SystemMetric(SM_CXICON, dpi)));
        IconOwner small(LoadProgramIcon(instance, dpi::SystemMetric(SM_CXSMICON, dpi)));
        SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
        bigIcon = std::move(big);
        smallIcon = std::move(small);
    }
    if (!Shows(desc, ImageSource::ProgramIcon)) return;
    IconOwner image(LoadProgramIcon(instance, dpi::Scale(kIconDesignSize, dpi)));
    retiredImageIcon = std::exchange(imageIcon, std::move(image));
}

ShownImage Form::ImageFor(ImageSource source) const noexcept {
    switch (source) {
        case ImageSource::Picture: return {picture.get(), dpi};
        case ImageSource::ProgramIcon: return {imageIcon.get(), dpi};
        case ImageSource::None: break;
    }
    return {nullptr, dpi};
}

bool Form::SizeAt(UINT newDpi, SIZE& size) const noexcept {
    RECT outer{};
    if (!OuterRect(desc, newDpi, outer)) return false;
    size = {outer.right - outer.left, outer.bottom - outer.top};
    return true;
}

void Form::ChangeDpi(HINSTANCE instance, Fonts& fonts, UINT newDpi, const RECT& suggested) {
    dpi = newDpi;
    SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LoadIcons(instance, true);
    for (std::size_t i = 0; i < desc.controls.size(); ++i) Place(static_cast<int>(i), instance, fonts, false);
    // No control shows the old image icon any more.
    retiredImageIcon.reset();
    // Every control repaints: the fonts and pictures have changed too.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace kr2
