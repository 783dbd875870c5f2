// The main window's created procedure: everything between the window's creation and
// its first appearance.
#pragma once

#include "app/app.h"

namespace hs::app {

// Refuses a second instance, fills every control from the settings file, applies the
// theme, loads the blacklist, attaches the hover tips, refuses Windows XP and, last,
// starts the background preparation thread.
void MainWindowCreated(App& app);

}  // namespace hs::app
