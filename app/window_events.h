// The main window's own events: the notification-area icon and its menu, hiding to
// the notification area, bringing the window back, and the page change that fits
// the window's height to the page shown.
#pragma once

#include "app/app.h"
#include "ui/model.h"

namespace hs::app {

// The main window's heights and step at 96 DPI (scaled to the window's DPI).
// The main window's height on every page but "管理用户".
inline constexpr int kMainWindowHeight = 268;
// "管理用户" grows the window by this many pixels a step while it is lower than
// kUsersPageMinHeight: from 268 it stops at 328, where the blacklist shows whole.
inline constexpr int kGrowStep = 20;
inline constexpr int kUsersPageMinHeight = 310;
// How long a restored window stays always-on-top so that it surfaces over others.
inline constexpr int64_t kSurfaceMs = 200;

// Tab pages of `选择夹1`.
inline constexpr int kPageUsers = 1;
inline constexpr int kPageTraffic = 3;

// Makes the main window visible and centres it on the primary screen (position mode
// centred); it is not activated. Nothing happens once an exit has begun.
void BringMainWindowIntoView(App& app);

// Brings the main window into view and gives it the foreground.
void ShowMainWindow(App& app);

// Keeps the main window always-on-top for `ms` milliseconds, ended by a timer worker,
// so that it surfaces over other windows; nothing when it is always-on-top already.
void SurfaceMainWindow(App& app, int64_t ms);

// Menu item `显示界面`.
void OnShowWindowChosen(App& app, const ui::EventArgs& args);

// The notification-area icon: a click or double click (codes 1, 2) shows the main
// window and keeps it always-on-top for a moment unless it already is; a right click
// (3) pops up `菜单`. Other codes do nothing.
void OnTrayEvent(App& app, const ui::EventArgs& args);

// The right button released on the main window: pops up `菜单`.
void OnMainRightUp(App& app, const ui::EventArgs& args);

// `按钮右下角`: minimises and hides the main window and stops the totals refresh.
void HideToTray(App& app, const ui::EventArgs& args);

// `选择夹1` turned to page args.code: "管理用户" grows the window, every other page
// gives it its usual height; then the traffic totals follow the page.
void OnPageChanged(App& app, const ui::EventArgs& args);

}  // namespace hs::app
