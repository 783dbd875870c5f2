// Leaving the program: every exit path ends the workers, removes the
// notification-area icon and undoes the sharing set-up before the program ends.
#pragma once

#include "app/app.h"
#include "ui/model.h"

namespace hs::app {

// The collapse animation's steps: the height shrinks by kCollapseHeightStep while the
// top moves down by half of it, then the width by kCollapseWidthStep while the left
// moves right by half of it, each while the size is greater than kCollapsedSize.
inline constexpr int kCollapseHeightStep = 20;
inline constexpr int kCollapseWidthStep = 60;
inline constexpr int kCollapsedSize = 2;
// The pause between the vertical and the horizontal collapse.
inline constexpr int64_t kCollapsePauseMs = 50;

// Menu item `退出`: hides both windows, ends the background preparation and
// client-list workers, removes the notification-area icon, returns to idle (sharing
// off everywhere, hosted network disallowed) and ends the program with exit code 0.
void ExitAtOnce(App& app, const ui::EventArgs& args);

// The main window's close request: stops the traffic bar and the client list, plays
// the collapse animation on the borderless window, then ends like ExitAtOnce. The
// request is never refused.
void CloseAndExit(App& app, const ui::EventArgs& args);

}  // namespace hs::app
