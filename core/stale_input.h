#pragma once
// Which input a window must not act on: what the player gave before the
// window appeared where that input goes. The platform picks the window of a
// click or key when the message is read, not when it was given, so a click
// given while a cue plays lands on whatever the handler has opened under the
// pointer by then, and the second click of a double click on a button that
// opens a window lands in that window.
//
// A press or key is dropped for a window when:
// - it was given before the window appeared (shown, brought to the front,
//   or made active by the launcher's own doing, as when the window in front
//   of it goes);
// - it is a press that ends a double click, by the platform's measure, whose
//   first press brought the window up (or was dropped itself);
// - it is a key held down, or released, and the window did not take that
//   key's first press.
// The release of a dropped press is dropped with it. Input on a window that
// was already there when it was given runs as always, in order, and a double
// click on one button is two presses of it.

#include <array>
#include <cstdint>

namespace kr2 {

// A top-level window as the platform names it; 0 is none. The filter is
// all zeros at first, so that it takes no room in the program's file.
using WindowKey = std::uintptr_t;

struct InputEvent {
    // Other: typed characters. None: what is not input (moves and the wheel
    // included), never dropped.
    enum class Kind : std::uint8_t { Press, Release, KeyDown, KeyUp, Other, None };
    Kind kind = Kind::None;
    std::uint32_t time = 0;   // the message's time, in ms; wraps
    WindowKey window = 0;     // the top-level window it goes to
    int x = 0, y = 0;         // the pointer on the screen
    unsigned code = 0;        // the mouse button (1 to 5) or the virtual key
    bool repeat = false;      // a key press that is the key's auto-repeat
};

// The platform's double click: the second press comes less than `time` ms
// after the first, less than half of `width` and `height` away from it.
struct DoubleClickMeasure {
    std::uint32_t time = 500;
    int width = 4, height = 4;
};

class StaleInputFilter {
public:
    // `window` appeared to the player at `now`: input given before that is
    // not meant for it. Called while the launcher acts on the last input
    // read, which brought the window up.
    void Appeared(WindowKey window, std::uint32_t now) noexcept;
    // `window` is gone; its name may be used again.
    void Vanished(WindowKey window) noexcept;
    // Every key may have been released unseen: another program took the
    // keyboard, or a menu's or a move's own loop read the release.
    void KeysReleased() noexcept { keyTakenBy_ = {}; }
    // Whether `e` must not reach its window. Every message read goes
    // through here, in the order they are read: what is not input (None)
    // too, which tells that the launcher is done with the input before it.
    bool Drops(const InputEvent& e, const DoubleClickMeasure& measure) noexcept;

private:
    struct Since {
        WindowKey window = 0;
        std::uint32_t time = 0;
        std::uint32_t openedBy = 0;  // the press that brought it up; 0: none
    };
    struct LastPress {
        std::uint32_t time = 0;
        int x = 0, y = 0;
        unsigned button = 0;  // none yet
        std::uint32_t serial = 0;
        bool dropped = false;
    };

    const Since* Find(WindowKey window) const noexcept;
    bool GivenBefore(const InputEvent& e) const noexcept;
    bool DropsPress(const InputEvent& e, const DoubleClickMeasure& measure) const noexcept;
    bool DropsKey(const InputEvent& e) noexcept;

    std::array<Since, 8> since_{};        // the launcher's windows and its error box
    LastPress last_{};
    std::uint32_t presses_ = 0;
    bool pressReadLast_ = false;  // the last input read was a press or a release
    std::array<bool, 6> swallowRelease_{};    // by mouse button
    std::array<WindowKey, 256> keyTakenBy_{};  // by virtual key
};

}  // namespace kr2
