// Leaving the program: every exit path ends the workers, removes the
// notification-area icon and undoes the sharing set-up before the program ends.
#pragma once

#include "app/app.h"
#include "ui/model.h"

namespace hs::app {

// Hides both windows, ends the background preparation and client-list workers,
// removes the notification-area icon, returns to idle (sharing off everywhere,
// hosted network disallowed) and ends the program with exit code 0.
void ExitAtOnce(App& app, const ui::EventArgs& args);

}  // namespace hs::app
