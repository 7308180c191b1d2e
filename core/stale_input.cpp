#include "stale_input.h"

#include <cstdlib>

namespace kr2 {
namespace {

// Message times wrap after 49.7 days: compared by their difference.
bool Before(std::uint32_t a, std::uint32_t b) noexcept { return static_cast<std::int32_t>(a - b) < 0; }

// Input waits in the queue for a cue to end, a few seconds: given more than
// ten minutes before its window appeared, it was given after it, and the
// difference has wrapped (a window open for 24.8 days and more).
constexpr std::uint32_t kLongestWait = 10 * 60 * 1000;

}  // namespace

void StaleInputFilter::Appeared(WindowKey window, std::uint32_t now) noexcept {
    Since* slot = nullptr;
    for (Since& s : since_) {
        if (s.window == window) {
            slot = &s;
            break;
        }
        if (!slot && s.window == 0) slot = &s;
    }
    // More windows than the launcher ever has at once: the oldest name goes.
    if (!slot) slot = &since_[0];
    *slot = {window, now, pressReadLast_ ? last_.serial : 0};
}

void StaleInputFilter::Vanished(WindowKey window) noexcept {
    for (Since& s : since_)
        if (s.window == window) s = {};
    for (WindowKey& k : keyTakenBy_)
        if (k == window) k = 0;
}

const StaleInputFilter::Since* StaleInputFilter::Find(WindowKey window) const noexcept {
    for (const Since& s : since_)
        if (s.window == window && window != 0) return &s;
    return nullptr;
}

bool StaleInputFilter::GivenBefore(const InputEvent& e) const noexcept {
    const Since* s = Find(e.window);
    return s && Before(e.time, s->time) && s->time - e.time < kLongestWait;
}

bool StaleInputFilter::DropsPress(const InputEvent& e, const DoubleClickMeasure& measure) const noexcept {
    if (GivenBefore(e)) return true;
    // A press read before the last one, in time, is no second click:
    // its difference wraps far past any double-click time.
    const bool doubleClick = last_.button == e.code && e.time - last_.time < measure.time && std::abs(e.x - last_.x) < measure.width / 2 &&
                             std::abs(e.y - last_.y) < measure.height / 2;
    if (!doubleClick) return false;
    const Since* s = Find(e.window);
    return last_.dropped || (s && s->openedBy == last_.serial);
}

// A key is held from its first press to its release: every press read in
// between belongs to the window that took the first. The platform's repeat
// flag alone does not tell: under Wine the first press read after another
// window has become active comes without it.
bool StaleInputFilter::DropsKey(const InputEvent& e) noexcept {
    constexpr WindowKey kNobody = ~WindowKey{0};  // held, its first press dropped
    WindowKey& taker = keyTakenBy_[e.code & 0xFF];
    switch (e.kind) {
        case InputEvent::Kind::KeyDown:
            if (taker != 0) return taker != e.window;
            if (e.repeat || GivenBefore(e)) {
                taker = kNobody;
                return true;
            }
            taker = e.window;
            return false;
        case InputEvent::Kind::KeyUp: {
            const bool ownPress = taker == e.window;
            taker = 0;
            return !ownPress;
        }
        default:
            return false;
    }
}

bool StaleInputFilter::Drops(const InputEvent& e, const DoubleClickMeasure& measure) noexcept {
    const std::size_t button = e.code < swallowRelease_.size() ? e.code : 0;
    pressReadLast_ = e.kind == InputEvent::Kind::Press || e.kind == InputEvent::Kind::Release;
    switch (e.kind) {
        case InputEvent::Kind::Press: {
            const bool drop = DropsPress(e, measure);
            if (++presses_ == 0) presses_ = 1;  // 0 names no press
            last_ = {e.time, e.x, e.y, e.code, presses_, drop};
            swallowRelease_[button] = drop;
            return drop;
        }
        case InputEvent::Kind::Release: {
            const bool drop = swallowRelease_[button];
            swallowRelease_[button] = false;
            return drop;
        }
        case InputEvent::Kind::KeyDown:
        case InputEvent::Kind::KeyUp: return DropsKey(e);
        case InputEvent::Kind::Other: return GivenBefore(e);
        case InputEvent::Kind::None: break;
    }
    return false;
}

}  // namespace kr2
