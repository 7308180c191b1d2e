#pragma once
// What the five launcher windows must look like on screen at 96 DPI, written
// out in pixels so that a wrong layout table in the launcher is caught.

#include <span>
#include <string_view>
#include <vector>

namespace kr2::gui {

enum class Kind { Button, Frame, Label, Picture, Image };

inline constexpr int kTopLevel = -1;  // placed relative to the client area

struct ExpectedControl {
    std::wstring_view caption;  // GetWindowText, "&" included; empty for pictures
    Kind kind;
    int left, top, width, height;  // pixels, relative to the container
    int container;                 // index of the frame in the same table, or kTopLevel
    bool bold;
};

struct ExpectedWindow {
    std::string_view name;  // "frmMain", ... for messages
    std::wstring_view caption;
    bool toolWindow;        // the four secondary windows
    int clientWidth, clientHeight;
    std::vector<ExpectedControl> controls;
    std::vector<int> tabCycle;  // control indexes in focus order, starting at the first
};

enum class Win { Main, Games, Options, Levels, About };

const ExpectedWindow& Expected(Win w);
std::span<const Win> AllWindows();

// Index of the control with this caption in the window's table, or -1.
int ControlIndex(const ExpectedWindow& w, std::wstring_view caption);

}  // namespace kr2::gui
