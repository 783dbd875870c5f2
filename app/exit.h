// Leaving the program. Every exit path takes the windows and the notification-area
// icon away at once, stops every timer and asks every worker to stop; a worker then
// returns to idle (sharing off everywhere, hosted network disallowed) once the start
// has ended, and the program ends. Whatever hangs, it ends within kExitBoundMs.
#pragma once

#include <cstdint>

#include "app/app.h"
#include "ui/model.h"

namespace hs::app {

// The collapse animation's steps: the height shrinks by kCollapseHeightStep while the
// top moves down by half of it, then the width by kCollapseWidthStep while the left
// moves right by half of it, each while the size is greater than kCollapsedSize (all
// three in pixels at 96 DPI, scaled to the window's DPI).
inline constexpr int kCollapseHeightStep = 20;
inline constexpr int kCollapseWidthStep = 60;
inline constexpr int kCollapsedSize = 2;
// The pause between the vertical and the horizontal collapse.
inline constexpr int64_t kCollapsePauseMs = 50;
// The pause after each step, in which the window draws it.
inline constexpr int64_t kCollapseStepMs = 10;
// How long the exit's return to idle waits for a running start before it gives up
// switching sharing off; the next start's preparation switches it off then.
inline constexpr int64_t kExitStartWaitMs = 3000;

// Menu item `退出`: hides both windows and ends the program with exit code 0.
void ExitAtOnce(App& app, const ui::EventArgs& args);

// The main window's close request: stops the traffic bar and the client list, plays
// the collapse animation on the borderless window, then ends like ExitAtOnce. The
// request is never refused.
void CloseAndExit(App& app, const ui::EventArgs& args);

// Ends the program with `exitCode` once the windows are out of sight: the exits
// above and an accepted update.
void ExitProgram(App& app, int exitCode);

}  // namespace hs::app
