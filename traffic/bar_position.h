// Where the traffic bar sits: the position stored in the settings file (section
// "flowposition", key "xy", "LEFT|TOP"), the default near the bottom right of the
// screen, and the check that a stored position still puts the bar on a monitor.
#pragma once

#include <string>
#include <string_view>

#include "platform/host.h"

namespace hs::traffic {

// The bar's window: 155 x 23 pixels at 96 DPI (scaled by the displays' DPI, as every
// distance here), at (50, 50) as designed.
inline constexpr int kBarWidth = 155;
inline constexpr int kBarHeight = 23;
inline constexpr int kBarDesignedLeft = 50;
inline constexpr int kBarDesignedTop = 50;
// The default position: this far left of the screen's right edge and above its
// bottom edge.
inline constexpr int kBarDefaultFromRight = 186;
inline constexpr int kBarDefaultFromBottom = 118;

struct BarPosition {
    int left = kBarDesignedLeft;
    int top = kBarDesignedTop;
    bool operator==(const BarPosition&) const = default;
};

// "(width - 186)|(height - 118)" of the primary screen, as plain decimal numbers.
std::string DefaultBarPositionText(const DisplayLayout& displays);

// The position a stored "xy" value gives. Exactly two parts separated by "|" are the
// left and top edges (each read as a number and truncated; text that is no number
// gives 0); any other value ("100", "", "1|2|3") leaves the designed position. When
// that position does not put enough of the bar on any monitor's work area to grab
// it (a monitor since detached, a hand-edited "99999|-99999"), the default position
// is used instead. With no work areas known, the position stands.
BarPosition ChooseBarPosition(std::string_view stored, const DisplayLayout& displays);

// Whether at least a grip of the bar (40 x 12 pixels) lies on one work area.
bool BarReachable(const BarPosition& position, const DisplayLayout& displays);

// The bottom edge of the screen the bar stands on: of the monitor whose work area holds
// the largest part of the bar (its whole area's bottom, or its work area's where the
// system reported no whole areas), or the primary screen's height when no work area
// holds any of it.
int BarScreenBottom(const BarPosition& position, const DisplayLayout& displays);

// The bar's position from the settings file (the default when the key is missing)
// checked against the desktop's monitors.
BarPosition ReadBarPosition(Host& host);

// Stores "LEFT|TOP" in the settings file; false when the file could not be written.
bool SaveBarPosition(Host& host, const BarPosition& position);

}  // namespace hs::traffic
