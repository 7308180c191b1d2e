#include "window_registry.h"

#include "handler_context.h"
#include "window_descriptions.h"

namespace kr2 {

WindowRegistry::WindowRegistry(Screen& screen, ProgramEnd& end) : screen_(screen), end_(end) {}

void WindowRegistry::Show(WindowId id) {
    State& state = states_[Index(id)];
    if (state == State::Loaded) {
        screen_.BringToFront(id);
        return;
    }
    if (state == State::Loading) return;  // the load in progress shows it when done

    const WindowSpec& desc = DescriptionOf(id);
    screen_.Create(desc);
    state = State::Loading;
    try {
        if (desc.onLoad != nullptr && ctx_ != nullptr) desc.onLoad(*ctx_);
        if (state != State::Loading) return;  // unloaded while it was loading: stays gone
        screen_.ShowAndActivate(id);
    } catch (...) {
        // A half-built window must not count as open; the failure itself
        // goes on to the run-time error box.
        state = State::NotLoaded;
        try {
            screen_.Destroy(id);
        } catch (...) {
        }
        throw;
    }
    state = State::Loaded;
}

void WindowRegistry::Unload(WindowId id) {
    State& state = states_[Index(id)];
    if (state == State::NotLoaded) return;
    state = State::NotLoaded;  // gone even if the platform complains below
    screen_.Destroy(id);
}

void WindowRegistry::EndProgram() { end_.EndProgram(); }

bool WindowRegistry::AnyLoaded() const {
    for (State s : states_) {
        if (s != State::NotLoaded) return true;
    }
    return false;
}

const WindowSpec& DescriptionOf(WindowId id) {
    switch (id) {
#define KR2_WINDOW_DESCRIPTION(name) \
    case WindowId::name: return name::Description();
        KR2_WINDOWS(KR2_WINDOW_DESCRIPTION)
#undef KR2_WINDOW_DESCRIPTION
    }
    return frmMain::Description();  // not reached: every id is handled above
}

std::span<const ControlSpec> ControlRowsOf(WindowId id) {
    switch (id) {
#define KR2_WINDOW_ROWS(name) \
    case WindowId::name: return name::Rows();
        KR2_WINDOWS(KR2_WINDOW_ROWS)
#undef KR2_WINDOW_ROWS
    }
    return frmMain::Rows();  // not reached: every id is handled above
}

}  // namespace kr2
