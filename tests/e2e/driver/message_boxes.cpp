#include "message_boxes.h"

#include "expect.h"
#include "screen_pixels.h"
#include "window_probe.h"

namespace kr2::e2e {
namespace {

BOOL CALLBACK CollectBox(HWND hwnd, LPARAM param) {
    if (IsWindowVisible(hwnd) && e2e::ClassOf(hwnd) == L"#32770")
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

// The static control that holds a message box's text.
constexpr int kMessageTextId = 0xFFFF;

}  // namespace

std::vector<HWND> VisibleMessageBoxes() {
    std::vector<HWND> boxes;
    EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

std::wstring MessageText(HWND box) {
    HWND text = GetDlgItem(box, kMessageTextId);
    return text ? e2e::TextOf(text) : std::wstring();
}

int ButtonCount(HWND box) {
    int count = 0;
    for (HWND child : e2e::Descendants(box))
        if (e2e::ClassOf(child) == L"Button" || e2e::ClassOf(child) == L"BUTTON") ++count;
    return count;
}

std::string ShownIcon(HWND box) {
    HWND icon = nullptr;
    for (HWND c : e2e::Descendants(box))
        if (_wcsicmp(e2e::ClassOf(c).c_str(), L"Static") == 0 &&
            (GetWindowLongPtrW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            icon = c;
    if (!icon) return {};
    // Each drawn as the box draws it, at the icon size, on the box's own
    // background (the icons' corners are clear), until the box has painted
    // one of them.
    const int size = GetSystemMetrics(SM_CXICON);
    static constexpr std::pair<int, const char*> kIcons[] = {
        {32513, "error"}, {32515, "warning"}, {32516, "information"}, {32514, "question"}};  // OIC_HAND...
    std::string shown;
    e2e::WaitFor([&] {
        const e2e::Pixels seen = e2e::CaptureScreen(e2e::ClientOnScreen(icon));
        const std::uint32_t corner = seen.rgb.empty() ? 0 : seen.At(0, 0);
        const COLORREF background = RGB(corner >> 16 & 0xFF, corner >> 8 & 0xFF, corner & 0xFF);
        for (const auto& [id, name] : kIcons)
            if (const auto drawn = e2e::IconResource(GetModuleHandleW(L"user32.dll"), id, size, background))
                if (!seen.rgb.empty() && e2e::MeanDifference(seen, *drawn, 1.0, size, size) < 1.0) shown = name;
        return !shown.empty();
    }, 2000);
    return shown;
}

std::wstring RunTimeErrorText(DWORD code) {
    wchar_t text[512] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, 512, nullptr);
    std::wstring out = L"Run-time error '" + std::to_wstring(code) + L"':\r\n\r\n" + text;
    while (out.back() == L'\n' || out.back() == L'\r' || out.back() == L' ') out.pop_back();
    return out;
}

HWND WaitMessageBox(DWORD timeoutMs) {
    HWND found = nullptr;
    e2e::WaitFor([&] {
        const auto boxes = VisibleMessageBoxes();
        found = boxes.size() == 1 ? boxes.front() : nullptr;
        return found != nullptr;
    }, timeoutMs);
    return found;
}

void PressOk(HWND box) {
    if (HWND ok = GetDlgItem(box, IDOK)) PostMessageW(ok, BM_CLICK, 0, 0);
}

bool ExpectNoMessageBox(const std::string& when) {
    const auto boxes = VisibleMessageBoxes();
    for (HWND box : boxes) {
        e2e::Expect(false, when + ": unexpected message box " + e2e::Describe(e2e::CaptionOf(box)) + ": " +
                               e2e::Describe(MessageText(box)));
        PressOk(box);
        PostMessageW(box, WM_CLOSE, 0, 0);
    }
    return boxes.empty();
}

std::optional<std::uint32_t> ExitCodeOf(DWORD pid, DWORD timeoutMs) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return std::nullopt;
    std::optional<std::uint32_t> code;
    DWORD exitCode = 0;
    if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &exitCode))
        code = exitCode;
    CloseHandle(process);
    return code;
}

bool ExpectCleanEnd(DWORD pid, const std::string& when, DWORD timeoutMs) {
    const auto code = ExitCodeOf(pid, timeoutMs);
    if (!e2e::Expect(code.has_value(), when + ": the launcher ends")) return false;
    return e2e::ExpectEq(*code, std::uint32_t{0}, when + ": exit code (a crash leaves another one)");
}

}  // namespace kr2::e2e
