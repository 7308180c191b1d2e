#pragma once
// What the in-launcher probe hook and the driver agree on.

#include <windows.h>

#include <cwchar>

namespace kr2::e2e {

inline constexpr wchar_t kProbeQueryMessage[] = L"kr2_gui_inside_probe";

// What the hook reads of one window, from inside the launcher.
struct ProbeReply {
    BOOL hasFont;   // WM_GETFONT gave a handle (null: the system font)
    BOOL fontRead;  // GetObject filled `font`
    LOGFONTW font;
    BOOL hasIcon;   // WM_GETICON ICON_BIG, else the class icon
    LONG iconWidth;
    LONG iconHeight;
    WORD iconBitsPerPixel;
    // The window's text as drawn, its '&' marks removed, measured with its
    // own font (GetTextExtentPoint32).
    BOOL textMeasured;
    SIZE textExtent;
    // The font the platform made of the request (GetTextFace,
    // GetTextMetrics), and the same caption in that face and size at the
    // regular weight: its width, and the dark pixels each one draws.
    wchar_t realizedFace[LF_FACESIZE];
    LONG realizedWeight;
    LONG regularWidth;
    LONG ink;
    LONG regularInk;
    // The window's client object as assistive technology sees it
    // (AccessibleObjectFromWindow, get_accName, get_accRole), read only when
    // asked for with kProbeAccessible.
    BOOL accessibleRead;
    wchar_t accessibleName[64];
    LONG accessibleRole;
    // What the object's last Release left of its references (0: it went).
    ULONG accessibleRefsLeft;
    // The bytes allocated in the launcher's heaps when it answered (the
    // probe's own reads freed).
    ULONGLONG heapBytes;
    // With kProbeAccessible too: the pixels of the client area that
    // WM_PRINTCLIENT draws otherwise than the screen shows them (-1: unread).
    LONG printedDiffers;
    // With MoveToDpi: the size the window was offered in WM_GETDPISCALEDSIZE
    // (its own scaled in a straight line), whether it answered and with
    // what; WM_DPICHANGED then went with the answer, or else the offer.
    SIZE offeredSize;
    BOOL sizeAnswered;
    SIZE answeredSize;
    // After the move too: the window's small icon (WM_GETICON ICON_SMALL,
    // else the class's), and the size its picture box draws the picture at,
    // clipped by nothing ({0, 0}: no picture box).
    SIZE smallIcon;
    SIZE pictureDrawn;
    // Icons the launcher made and did not destroy since the first move:
    // under Wine GetGuiResources counts no USER objects.
    LONG iconsHeld;
    // Clicks the picture box and the icon reported to their window since
    // the probe's first query, and the left-button releases the launcher
    // has read since then: once it has read the query after a release, it
    // has handled that release.
    LONG artworkClicks;
    LONG buttonUps;
};

// The query's lParam: also read the accessible name and role.
inline constexpr LPARAM kProbeAccessible = 1;
// Or, instead of the reads: the window moves from a monitor at DPI `from`
// to one at `to`, as Windows moves it: WM_GETDPISCALEDSIZE, then
// WM_DPICHANGED with a rectangle at the same place, built from the answer;
// then it paints.
inline constexpr LPARAM kProbeMoveDpi = 8;
constexpr LPARAM MoveToDpi(int from, int to) {
    return kProbeMoveDpi | static_cast<LPARAM>(from) << 16 | static_cast<LPARAM>(to) << 32;
}

// Or: the work area becomes the screen less a taskbar of `height` pixels
// along its top (SPI_SETWORKAREA, which Wine keeps per process).
inline constexpr LPARAM kProbeTaskbar = 16;
constexpr LPARAM TaskbarAtTop(int height) { return kProbeTaskbar | static_cast<LPARAM>(height) << 16; }

// Or, besides the reads: the platform's own round trip of an accessible
// object, with the window's standard object alone (CreateStdAccessibleObject,
// LresultFromObject, ObjectFromLresult, the releases): what the platform
// keeps of one, beside what the launcher's answer to WM_GETOBJECT costs.
inline constexpr LPARAM kProbePlatformRoundTrip = 64;

// Or: the launcher's process loads kProbeDllByName by its name alone, as
// one of the platform's DLLs loads another (Windows' uxtheme loads dwmapi).
inline constexpr LPARAM kProbeLoadByName = 32;
inline constexpr wchar_t kProbeDllByName[] = L"dwmapi.dll";

// Names of the shared reply block and its event, per driver process.
inline const wchar_t* ProbeObjectName(wchar_t (&out)[64], const wchar_t* what, DWORD driverPid) {
    std::swprintf(out, 64, L"kr2_gui_probe_%ls_%lu", what, static_cast<unsigned long>(driverPid));
    return out;
}

}  // namespace kr2::e2e
