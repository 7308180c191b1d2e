#include "native_screen.h"

#include <cwchar>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "control_classes.h"
#include "control_order.h"
#include "dpi.h"
#include "gdi_owner.h"
#include "gui_failure.h"
#include "image_controls.h"
#include "picture_resource.h"
#include "resource.h"

namespace kr2 {
namespace {

constexpr wchar_t kFormClass[] = L"Kr2Form";
// The main window's class: the same but for the program icon.
constexpr wchar_t kMainFormClass[] = L"Kr2MainForm";
constexpr int kIconDesignSize = 32;

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

HFONT MakeFace(const wchar_t* face, UINT dpi, int weight) {
    HFONT font = CreateFontW(-FontPixelHeight(static_cast<int>(dpi)), 0, 0, 0, weight, FALSE, FALSE,
                             FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
    if (!font) ThrowLastError();
    return font;
}

// What the platform made of a font request: the face it chose, the weight
// it draws and the width of a sample.
struct Realized {
    wchar_t face[LF_FACESIZE];
    LONG weight;
    LONG width;
};

Realized Realize(HDC dc, HFONT font) {
    static constexpr wchar_t kSample[] = L"Kestrane";
    Realized r{};
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    SIZE size{};
    GetTextFaceW(dc, LF_FACESIZE, r.face);
    if (GetTextMetricsW(dc, &tm)) r.weight = tm.tmWeight;
    if (GetTextExtentPoint32W(dc, kSample, static_cast<int>(std::size(kSample)) - 1, &size)) r.width = size.cx;
    SelectObject(dc, old);
    return r;
}

// MS Sans Serif is a bitmap font with a few sizes, made bold by the
// platform's simulation, and a system may give another face or no bold for
// the request. Then a face of the same design that has a bold at this size
// takes its place: Microsoft Sans Serif (the TrueType of the same design),
// else the face the platform maps its dialog font to. A face counts when the
// platform gives that face itself, at a bold weight, and its bold caption is
// wider than its regular one; the last candidate is kept in any case.
HFONT MakeBoldFont(UINT dpi) {
    const std::wstring wanted(kFontFace);
    const wchar_t* const candidates[] = {wanted.c_str(), L"Microsoft Sans Serif", L"MS Shell Dlg"};
    const std::unique_ptr<std::remove_pointer_t<HDC>, decltype(&DeleteDC)> dc(CreateCompatibleDC(nullptr),
                                                                              &DeleteDC);
    if (!dc) ThrowLastError();
    HFONT chosen = nullptr;
    for (const wchar_t* face : candidates) {
        FontOwner regular(MakeFace(face, dpi, kWeightRegular));
        HFONT bold = MakeFace(face, dpi, kWeightBold);
        const Realized r = Realize(dc.get(), regular.get());
        const Realized b = Realize(dc.get(), bold);
        const bool last = face == candidates[std::size(candidates) - 1];
        if (last || (_wcsicmp(b.face, face) == 0 && b.weight >= FW_SEMIBOLD && b.width > r.width)) {
            chosen = bold;
            break;
        }
        DeleteObject(bold);
    }
    return chosen;
}

HFONT MakeFont(UINT dpi, int weight) {
    if (weight >= FW_SEMIBOLD) return MakeBoldFont(dpi);
    const std::wstring face(kFontFace);
    return MakeFace(face.c_str(), dpi, weight);
}

// The outer size of a window whose client area is the layout's at `dpi`.
SIZE OuterSize(const WindowSpec& desc, DWORD style, DWORD exStyle, UINT dpi) {
    RECT outer{0, 0, TwipsToPixels(desc.clientWidth, static_cast<int>(dpi)),
               TwipsToPixels(desc.clientHeight, static_cast<int>(dpi))};
    if (!dpi::AdjustRect(outer, style, exStyle, dpi)) ThrowLastError();
    return {outer.right - outer.left, outer.bottom - outer.top};
}

POINT Centred(SIZE outer) {
    return {(GetSystemMetrics(SM_CXSCREEN) - outer.cx) / 2, (GetSystemMetrics(SM_CYSCREEN) - outer.cy) / 2};
}

HICON LoadProgramIcon(HINSTANCE instance, int size) {
    auto icon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (!icon) ThrowLastError();
    return icon;
}

}  // namespace

// One open window: its handles by table index, and the fonts and pictures
// that live exactly as long as it does.
struct NativeScreen::Form {
    Form(NativeScreen& owner, const WindowSpec& description)
        : screen(owner), desc(description), controls(description.controls.size(), nullptr) {}
    // The window goes first; the members below are freed after it, so no
    // control is ever left holding a deleted font or picture.
    ~Form() {
        if (hwnd) DestroyWindow(hwnd);
    }
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    NativeScreen& screen;
    const WindowSpec desc;
    HWND hwnd = nullptr;
    UINT dpi = 96;
    std::vector<HWND> controls;
    std::vector<int> order;
    HWND lastFocus = nullptr;  // given back when the window is activated again
    FontOwner regular;
    FontOwner bold;
    BitmapOwner picture;
    IconOwner bigIcon;
    IconOwner smallIcon;
    IconOwner imageIcon;
};

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

bool Has(const WindowSpec& desc, ControlKind kind) {
    for (const ControlSpec& c : desc.controls)
        if (c.kind == kind) return true;
    return false;
}

}  // namespace

NativeScreen::NativeScreen(HINSTANCE instance) : instance_(instance) {}
NativeScreen::~NativeScreen() = default;

void NativeScreen::RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FormProc;
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
    if (!RegisterClassExW(&wc) || !RegisterClassExW(&mainClass) || !RegisterImageControlClasses(instance))
        ThrowLastError();
}

// Each control and the window itself are made at their final rectangles for
// the DPI the window is expected to get, with fonts, icons and the picture
// ready: no placing pass and no repaint before the window is first shown.
void NativeScreen::Create(const WindowSpec& desc) {
    forms_[Index(desc.id)].reset();
    auto form = std::make_unique<Form>(*this, desc);

    const Styles styles = FormStyles(desc.border);
    const std::wstring caption(desc.caption);
    // Hidden until ShowAndActivate; centred on the primary monitor, whose
    // DPI is the system one.
    const UINT expected = dpi::ForSystem();
    const SIZE outer = OuterSize(desc, styles.style, styles.exStyle, expected);
    const POINT at = Centred(outer);
    const wchar_t* cls = desc.border == BorderStyle::FixedSingle ? kMainFormClass : kFormClass;
    if (!CreateWindowExW(styles.exStyle, cls, caption.c_str(), styles.style, at.x, at.y,
                         outer.cx, outer.cy, nullptr, nullptr, instance_, form.get()))
        ThrowLastError();
    form->dpi = dpi::ForWindow(form->hwnd);
    const int dpi = static_cast<int>(form->dpi);

    if (Has(desc, ControlKind::PictureBox)) {
        form->picture = BitmapOwner(LoadPackedPicture(instance_, IDB_PICTURE));
    }
    form->regular = FontOwner(MakeFont(form->dpi, kWeightRegular));
    form->bold = FontOwner(MakeFont(form->dpi, kWeightBold));
    form->imageIcon = LoadIcons(instance_, *form, form->dpi != expected);

    // Creation order is tab order: the dialog manager tabs in z-order.
    form->order = CreationOrder(desc.controls);
    for (int index : form->order) {
        const ControlSpec& c = desc.controls[static_cast<std::size_t>(index)];
        const ControlClass cls = ClassOf(c.kind);
        const HWND parent =
            c.container == kInWindow ? form->hwnd : form->controls[static_cast<std::size_t>(c.container)];
        const std::wstring text(c.caption);
        const PixelRect r = ControlPixels(c, dpi);
        HANDLE image = c.kind == ControlKind::PictureBox ? static_cast<HANDLE>(form->picture.get())
                       : c.kind == ControlKind::Image    ? static_cast<HANDLE>(form->imageIcon.get())
                                                         : nullptr;
        HWND control = CreateWindowExW(cls.exStyle, cls.name, text.c_str(), cls.style, r.left, r.top,
                                       r.width, r.height, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(index))),
                                       instance_, image);
        if (!control) ThrowLastError();
        form->controls[static_cast<std::size_t>(index)] = control;
        if (c.kind == ControlKind::Frame) MakeFrameContainer(control);
        if (cls.takesFont) SendMessageW(control, WM_SETFONT, FontFor(*form, c), FALSE);
    }

    // Moved only if the window got another DPI than expected.
    FitWindow(*form, nullptr, form->dpi != expected);
    for (int index : form->order) {
        if (CanTakeFocus(desc.controls[static_cast<std::size_t>(index)].kind)) {
            form->lastFocus = form->controls[static_cast<std::size_t>(index)];
            break;
        }
    }
    forms_[Index(desc.id)] = std::move(form);
}

WPARAM NativeScreen::FontFor(const Form& form, const ControlSpec& c) {
    return reinterpret_cast<WPARAM>(c.bold ? form.bold.get() : form.regular.get());
}

// The main window's own icons at the form's DPI when its class icons do not
// fit it (`ownIcons`; the old ones go once the new ones are set); returns the
// icon the image controls show.
IconOwner NativeScreen::LoadIcons(HINSTANCE instance, Form& form, bool ownIcons) {
    const UINT dpi = form.dpi;
    if (ownIcons && form.desc.border == BorderStyle::FixedSingle) {
        IconOwner big(LoadProgramIcon(instance, dpi::SystemMetric(SM_CXICON, dpi)));
        IconOwner small(LoadProgramIcon(instance, dpi::SystemMetric(SM_CXSMICON, dpi)));
        SendMessageW(form.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
        SendMessageW(form.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
        form.bigIcon = std::move(big);
        form.smallIcon = std::move(small);
    }
    if (!Has(form.desc, ControlKind::Image)) return IconOwner();
    return IconOwner(LoadProgramIcon(instance, dpi::Scale(kIconDesignSize, dpi)));
}

// Fonts, icons and control rectangles again at the new DPI; the window
// keeps the position the platform suggested.
void NativeScreen::Place(HINSTANCE instance, Form& form, const RECT* suggested) {
    const WindowSpec& desc = form.desc;
    FontOwner regular(MakeFont(form.dpi, kWeightRegular));
    FontOwner bold(MakeFont(form.dpi, kWeightBold));
    IconOwner imageIcon = LoadIcons(instance, form, true);
    // The old fonts and image icon stay in the locals, freed only once no
    // control uses them.
    std::swap(form.regular, regular);
    std::swap(form.bold, bold);
    std::swap(form.imageIcon, imageIcon);
    for (std::size_t i = 0; i < desc.controls.size(); ++i) {
        const ControlSpec& c = desc.controls[i];
        HWND control = form.controls[i];
        if (ClassOf(c.kind).takesFont) SendMessageW(control, WM_SETFONT, FontFor(form, c), FALSE);
        if (c.kind == ControlKind::Image) SetControlImage(control, form.imageIcon.get());
        const PixelRect r = ControlPixels(c, static_cast<int>(form.dpi));
        SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    FitWindow(form, suggested, true);
    // Every control repaints: a DPI change alters the fonts and pictures too.
    RedrawWindow(form.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The window's size for the layout's client size at the form's DPI: set
// when `move` (centred, or where `suggested` says), and corrected in any case
// when the client area came out another size.
void NativeScreen::FitWindow(Form& form, const RECT* suggested, bool move) {
    const WindowSpec& desc = form.desc;
    const auto styles = static_cast<DWORD>(GetWindowLongPtrW(form.hwnd, GWL_STYLE));
    const auto exStyles = static_cast<DWORD>(GetWindowLongPtrW(form.hwnd, GWL_EXSTYLE));
    SIZE outer = OuterSize(desc, styles, exStyles, form.dpi);
    // Centred on the primary monitor's full rectangle, unless the platform
    // suggested where the window goes after a DPI change.
    auto place = [&] {
        const POINT centred = Centred(outer);
        const int x = suggested ? suggested->left : centred.x;
        const int y = suggested ? suggested->top : centred.y;
        SetWindowPos(form.hwnd, nullptr, x, y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    if (move) place();
    // The frame the system draws may differ from the computed one (a
    // caption that does not follow the DPI); the client size is what counts.
    RECT client{};
    GetClientRect(form.hwnd, &client);
    const int dx = TwipsToPixels(desc.clientWidth, static_cast<int>(form.dpi)) - client.right;
    const int dy = TwipsToPixels(desc.clientHeight, static_cast<int>(form.dpi)) - client.bottom;
    if (dx || dy) {
        outer.cx += dx;
        outer.cy += dy;
        place();
    }
}

void NativeScreen::ShowAndActivate(WindowId id) {
    Form* form = Find(id);
    if (!form) return;
    // Focus and access-key cues as the last input calls for: shown for a
    // window opened from the keyboard, as a dialog does at its start.
    SendMessageW(form->hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
    ShowWindow(form->hwnd, SW_SHOW);
    SetForegroundWindow(form->hwnd);
    if (form->lastFocus) SetFocus(form->lastFocus);
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

NativeScreen::Form* NativeScreen::Find(WindowId id) const { return forms_[Index(id)].get(); }

LRESULT CALLBACK NativeScreen::FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    } else if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (form) form->hwnd = nullptr;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    if (!form) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return form->screen.HandleMessage(*form, msg, wParam, lParam);
}

// A click or a close request may destroy `form`: nothing touches it after
// the launcher has been called.
LRESULT NativeScreen::HandleMessage(Form& form, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            OnActivate(form, wParam);
            return 0;
        case WM_SETFOCUS:
            if (form.lastFocus && IsWindow(form.lastFocus)) SetFocus(form.lastFocus);
            return 0;
        case WM_COMMAND:
            OnCommand(form, wParam, lParam);
            return 0;
        case WM_CLOSE:
            // The launcher decides and destroys through the screen.
            CloseRequest(form.desc.id);
            return 0;
        case WM_DPICHANGED:
            try {
                form.dpi = HIWORD(wParam);
                Place(instance_, form, reinterpret_cast<const RECT*>(lParam));
            } catch (...) {
                if (!failure_) failure_ = std::current_exception();
            }
            return 0;
        case WM_DESTROY:
            if (active_ == form.hwnd) active_ = nullptr;
            break;
    }
    return DefWindowProcW(form.hwnd, msg, wParam, lParam);
}

// Plain windows forget their focus when they lose activation; keep it, as a
// dialog does, so the focused button is still the one Enter presses.
void NativeScreen::OnActivate(Form& form, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(form.hwnd, focus)) form.lastFocus = focus;
        if (active_ == form.hwnd) active_ = nullptr;
        return;
    }
    active_ = form.hwnd;
    const bool minimised = HIWORD(wParam) != 0;
    if (!minimised && form.lastFocus && IsWindow(form.lastFocus)) SetFocus(form.lastFocus);
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
            if (form.controls[i] == focus && controls[i].kind == ControlKind::CommandButton) {
                Click(form.desc.id, static_cast<int>(i));
                return;
            }
        }
        return;
    }

    const int index = ControlIndex(id);
    if (index < 0 || static_cast<std::size_t>(index) >= controls.size()) return;
    if (form.controls[static_cast<std::size_t>(index)] != from) return;

    switch (controls[static_cast<std::size_t>(index)].kind) {
        case ControlKind::CommandButton:
            switch (code) {
                // With BS_NOTIFY the second press of a double click comes as
                // BN_DOUBLECLICKED; it is a press all the same.
                case BN_CLICKED:
                case BN_DOUBLECLICKED:
                    Click(form.desc.id, index);
                    return;
                case BN_SETFOCUS:
                    form.lastFocus = from;
                    return;
                case BN_KILLFOCUS:
                    LoseDefaultLook(from);
                    return;
            }
            return;
        case ControlKind::PictureBox:
        case ControlKind::Image:
            if (code == STN_CLICKED) Click(form.desc.id, index);
            return;
        case ControlKind::Label:
        case ControlKind::Frame:
            return;
    }
}

void NativeScreen::Click(WindowId id, int index) {
    if (!launcher_ || failure_) return;
    try {
        launcher_->OnClick(id, index);
    } catch (...) {
        failure_ = std::current_exception();
    }
}

void NativeScreen::CloseRequest(WindowId id) {
    if (!launcher_ || failure_) return;
    try {
        launcher_->OnCloseRequest(id);
    } catch (...) {
        failure_ = std::current_exception();
    }
}

}  // namespace kr2
