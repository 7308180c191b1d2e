#pragma once
// How the windows reach the screen. The real one builds native windows from
// the layout data; the unit tests record every call in order.

#include "layout.h"
#include "window_id.h"

namespace kr2 {

class Screen {
public:
    // Builds the window and all its controls from the description, hidden,
    // centred on the screen. Throws if the platform refuses.
    virtual void Create(const WindowSpec& desc) = 0;
    // Makes a created window visible and active, with the focus on its first
    // control in tab order that can take it.
    virtual void ShowAndActivate(WindowId id) = 0;
    // Activates an open window and brings it to the front; nothing moves.
    virtual void BringToFront(WindowId id) = 0;
    // Destroys the window and its controls.
    virtual void Destroy(WindowId id) = 0;
    // The ordinary end once no window is left: the message loop returns.
    virtual void LeaveMessageLoop() = 0;

protected:
    ~Screen() = default;
};

}  // namespace kr2
