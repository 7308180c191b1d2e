#pragma once
// WindowRegistry: one slot per window, at most one instance each.

#include <array>

#include "layout.h"
#include "ports.h"
#include "screen.h"
#include "window_id.h"

namespace kr2 {

struct HandlerContext;

class WindowRegistry {
public:
    enum class State { NotLoaded, Loading, Loaded };

    WindowRegistry(Screen& screen, ProgramEnd& end);

    // Set once before use: the context handed to load handlers.
    void SetHandlerContext(HandlerContext* ctx) { ctx_ = ctx; }

    // Loads the window if it is not loaded (fresh from its description,
    // centred, its load handler run), then shows and activates it. An open
    // window is only activated and brought to the front.
    void Show(WindowId id);
    // Destroys the window; nothing of it survives to the next Show.
    void Unload(WindowId id);
    // The whole program ends at once.
    void EndProgram();

    State StateOf(WindowId id) const { return states_[Index(id)]; }
    bool IsLoaded(WindowId id) const { return StateOf(id) != State::NotLoaded; }
    bool AnyLoaded() const;

private:
    Screen& screen_;
    ProgramEnd& end_;
    HandlerContext* ctx_ = nullptr;
    std::array<State, kWindowCount> states_{};
};

// The description of each window, from its own unit.
const WindowSpec& DescriptionOf(WindowId id);

// The same window's controls as its unit writes them, with the design's
// control names: for the tests, which click and report by name. The
// launcher itself never calls it, so the names stay out of the executable.
std::span<const ControlSpec> ControlRowsOf(WindowId id);

}  // namespace kr2
