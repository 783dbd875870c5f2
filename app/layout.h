// The layout of the program's windows as data: one ControlSpec row per control,
// row 0 being the window itself. The control model and the front end are both built
// from these tables.
#pragma once

#include <vector>

#include "ui/model.h"

namespace hs::app {

// The windows' own control names; their own events are bound under these names.
inline constexpr const char* kMainWindowName = "主窗口";
inline constexpr const char* kBarWindowName = "流量条";
inline constexpr const char* kJoinWindowName = "扫码连接窗口";

// The main window: a five-page tab control, the popup menus and the timers.
std::vector<ui::ControlSpec> MainWindowLayout();
// The floating traffic bar.
std::vector<ui::ControlSpec> TrafficBarLayout();
// The small window that shows the QR code a phone joins the hotspot with.
std::vector<ui::ControlSpec> JoinWindowLayout();

}  // namespace hs::app
