#include "image_controls.h"

#include "accessible_image.h"
#include "dpi.h"
#include "owner.h"
#include "platform_failure.h"

namespace kr2 {
namespace {

// Window extra bytes: the HBITMAP or HICON shown, and the DPI it is shown at.
constexpr int kImageSlot = 0;
constexpr int kDpiSlot = sizeof(LONG_PTR);

// What assistive technology says for each: the picture shows the game, the
// icon the program.
constexpr wchar_t kPictureName[] = L"Kestrane II";
constexpr wchar_t kIconName[] = L"Kestrane II Launcher";

HANDLE ImageOf(HWND hwnd) noexcept {
    return reinterpret_cast<HANDLE>(GetWindowLongPtrW(hwnd, kImageSlot));
}

UINT DpiOf(HWND hwnd) noexcept { return static_cast<UINT>(GetWindowLongPtrW(hwnd, kDpiSlot)); }

void Keep(HWND hwnd, const ShownImage& shown) noexcept {
    SetWindowLongPtrW(hwnd, kImageSlot, reinterpret_cast<LONG_PTR>(shown.image));
    SetWindowLongPtrW(hwnd, kDpiSlot, static_cast<LONG_PTR>(shown.dpi));
}

// The bitmap unscaled at 96 DPI, from the inner top-left; the client area
// clips whatever does not fit.
void PaintPicture(HWND hwnd, HDC dc) noexcept {
    auto bitmap = static_cast<HBITMAP>(ImageOf(hwnd));
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return;
    const MemoryDc source(CreateCompatibleDC(dc));
    if (!source) return;
    const Selection selected(source.get(), bitmap);
    const UINT dpi = DpiOf(hwnd);
    if (dpi == 96) {
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, 0, 0, dpi::Scale(info.bmWidth, dpi), dpi::Scale(info.bmHeight, dpi), source.get(), 0,
                   0, info.bmWidth, info.bmHeight, SRCCOPY);
    }
}

// The platform's focus rectangle just inside the border while the box holds
// the focus, unless the keyboard cues are hidden (a window used only with
// the mouse).
void PaintFocus(HWND hwnd, HDC dc) noexcept {
    if (GetFocus() != hwnd) return;
    if (SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) return;
    RECT inner{};
    GetClientRect(hwnd, &inner);
    InflateRect(&inner, -1, -1);
    DrawFocusRect(dc, &inner);
}

void PaintPictureBox(HWND hwnd, HDC dc) noexcept {
    PaintPicture(hwnd, dc);
    PaintFocus(hwnd, dc);
}

// At the icon's own size, which is the one made for the window's DPI.
void PaintIcon(HWND hwnd, HDC dc) noexcept {
    if (auto icon = static_cast<HICON>(ImageOf(hwnd))) DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

// A click is a press and a release inside the control. The parent may
// destroy this control while handling it, so nothing touches it afterwards.
LRESULT OnButtonUp(HWND hwnd, LPARAM lParam) noexcept {
    if (GetCapture() != hwnd) return 0;
    ReleaseCapture();
    RECT client{};
    GetClientRect(hwnd, &client);
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (PtInRect(&client, at)) {
        SendMessageW(GetParent(hwnd), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(hwnd), STN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
    }
    return 0;
}

// How each control meets the dialog manager and assistive technology.
struct Role {
    void (*paint)(HWND, HDC) noexcept;
    bool takesFocus;
    // The picture box takes characters, so a bare letter typed while it has
    // the focus is no access key of a button; Tab, the arrows and Enter stay
    // the dialog manager's. The icon answers as a static, which the arrow
    // keys pass over as they do labels: it never holds the focus.
    LRESULT dialogCode;
    const wchar_t* name;
};

LRESULT CommonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, const Role& role) noexcept {
    switch (msg) {
        case WM_NCCREATE:
            if (auto* shown = static_cast<const ShownImage*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams))
                Keep(hwnd, *shown);
            break;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            if (HDC dc = BeginPaint(hwnd, &ps)) {
                role.paint(hwnd, dc);
                EndPaint(hwnd, &ps);
            }
            return 0;
        }
        case WM_PRINTCLIENT:
            role.paint(hwnd, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_GETDLGCODE:
            return role.dialogCode;
        case WM_GETOBJECT:
            return AnswerGetObject(hwnd, wParam, lParam, role.name);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_UPDATEUISTATE: {
            const LRESULT result = DefWindowProcW(hwnd, msg, wParam, lParam);
            if (GetFocus() == hwnd) InvalidateRect(hwnd, nullptr, TRUE);
            return result;
        }
        case WM_LBUTTONDOWN:
            if (role.takesFocus) SetFocus(hwnd);
            SetCapture(hwnd);
            return 0;
        case WM_LBUTTONUP:
            return OnButtonUp(hwnd, lParam);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK PictureBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    static constexpr Role kPictureBox{PaintPictureBox, true, DLGC_WANTCHARS, kPictureName};
    return CommonProc(hwnd, msg, wParam, lParam, kPictureBox);
}

LRESULT CALLBACK IconImageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    static constexpr Role kIcon{PaintIcon, false, DLGC_STATIC, kIconName};
    return CommonProc(hwnd, msg, wParam, lParam, kIcon);
}

void RegisterOne(HINSTANCE instance, const wchar_t* name, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = 2 * sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    Checked(RegisterClassExW, &wc);
}

}  // namespace

void RegisterImageControlClasses(HINSTANCE instance) {
    RegisterOne(instance, kPictureBoxClass, PictureBoxProc);
    RegisterOne(instance, kIconImageClass, IconImageProc);
}

void SetControlImage(HWND control, const ShownImage& shown) noexcept {
    Keep(control, shown);
    InvalidateRect(control, nullptr, TRUE);
}

}  // namespace kr2
