// Locked reads and writes of one control's state, shared by the model's sources.
// A write collects what changed while it holds the window's lock and tells the
// observers after releasing it.
#pragma once

#include <mutex>
#include <utility>

#include "ui/window_state.h"

namespace hs::ui::detail {

// The state of the control's window, or null for an invalid handle.
inline WindowState* StateOf(const Control& control) {
    if (!control.Valid()) {
        return nullptr;
    }
    WindowState& state = WindowAccess::Of(control.Owner());
    if (control.Index() < 0 || control.Index() >= static_cast<int>(state.specs.size())) {
        return nullptr;
    }
    return &state;
}

// f(const ControlState&, const ControlSpec&) -> R, under the lock. An invalid handle
// reads `fallback`.
template <class R, class F>
R Read(const Control& control, R fallback, F f) {
    WindowState* state = StateOf(control);
    if (state == nullptr) {
        return fallback;
    }
    std::lock_guard<std::mutex> lock(state->mutex);
    return f(state->controls[control.Index()], state->specs[control.Index()]);
}

// f(WindowState&, int index, Pending&), under the lock; then the pending changes are
// announced. An invalid handle writes nothing.
template <class F>
void Write(const Control& control, F f) {
    WindowState* state = StateOf(control);
    if (state == nullptr) {
        return;
    }
    Pending pending;
    {
        std::lock_guard<std::mutex> lock(state->mutex);
        f(*state, control.Index(), pending);
    }
    state->Announce(control.Owner(), pending);
}

template <class T>
T GetField(const Control& control, T ControlState::*field) {
    return Read(control, T{},
                [field](const ControlState& c, const ControlSpec&) { return c.*field; });
}

// Stores `value` and announces `property`, unless the value is already there.
template <class T>
void SetField(const Control& control, T ControlState::*field, T value, Property property) {
    Write(control, [&](WindowState& state, int index, Pending& pending) {
        T& current = state.controls[index].*field;
        if (current == value) {
            return;
        }
        current = std::move(value);
        pending.emplace_back(index, property);
    });
}

}  // namespace hs::ui::detail
