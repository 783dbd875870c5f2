// The traffic bar's texts, its bubble menu (placement and links) and the switch
// that shows or hides it (section "流量条", key "是否开").
#pragma once

#include <string_view>

#include "platform/host.h"
#include "traffic/bar_position.h"

namespace hs::traffic {

// The hover tip of the bar's label.
inline constexpr const char* kBarTip = "只显示WiFi的实时流量\r\n双击显示主界面，右击可隐藏";

// The bubble menu's document: two links, "m7" and "m8".
inline constexpr const char* kBubbleMenuDocument =
    "<a msg=m7><font size=10pt>   显示主界面   </font></a></br>\r\n"
    "<a msg=m8><font size=10pt>   隐藏流量条   </font></a>";

// How long the main window stays always-on-top when the bar's double click brings
// it in front of other windows.
inline constexpr int kBringToFrontMs = 500;

// Where the bubble opens: at (x, y), upwards from that point when the bar lies within
// 130 pixels (at 96 DPI) of the bottom edge of the screen it stands on, else downwards from it.
struct BubblePlacement {
    int x = 0;
    int y = 0;
    bool upwards = false;
};

// Near the bottom of the bar's own monitor (BarScreenBottom) the bubble opens upwards
// from the bar's top edge; higher up downwards from its bottom edge. `x` is the bar's
// middle (left + 77).
BubblePlacement PlaceBubble(const BarPosition& bar, const DisplayLayout& displays);

// What a link of the bubble menu asks for.
enum class BubbleLink {
    None,            // not a link of the menu
    ShowMainWindow,  // "m7": the main window visible again, restored in place
    HideBar,         // "m8": hide the bar, stop its timer, uncheck the box, store "否"
};
BubbleLink ReadBubbleLink(std::string_view message);

// Whether the bar is switched on: "是否开" is "是" (default "否").
bool ReadBarSwitch(Host& host);
// Stores "是" or "否"; false when the file could not be written.
bool WriteBarSwitch(Host& host, bool on);

}  // namespace hs::traffic
