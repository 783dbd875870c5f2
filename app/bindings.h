// The event-binding table: which procedure each window and control event calls.
#pragma once

#include <vector>

#include "app/app.h"
#include "ui/model.h"

namespace hs::app {

enum class WindowId { Main, Bar };

using Action = void (*)(App& app, const ui::EventArgs& args);

struct Binding {
    WindowId window;
    const char* control;  // a control's layout name, or the window's own name
    ui::Event event;
    Action action;
    const char* what;  // what the event does for the user
};

const std::vector<Binding>& EventBindings();

}  // namespace hs::app
