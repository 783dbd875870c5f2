#include "traffic/bar_position.h"

#include <algorithm>
#include <cstdint>

#include "settings/settings_file.h"
#include "sys/dpi.h"

namespace hs::traffic {
namespace {

constexpr const char* kSection = "flowposition";
constexpr const char* kKey = "xy";

// Enough of the bar to press the mouse on and drag it back.
constexpr int kGripWidth = 40;
constexpr int kGripHeight = 12;

BarPosition DefaultPosition(const DisplayLayout& displays) {
    return {displays.screenWidth - ScaleToDpi(kBarDefaultFromRight, displays.dpi),
            displays.screenHeight - ScaleToDpi(kBarDefaultFromBottom, displays.dpi)};
}

}  // namespace

std::string DefaultBarPositionText(const DisplayLayout& displays) {
    const BarPosition p = DefaultPosition(displays);
    return std::to_string(p.left) + "|" + std::to_string(p.top);
}

namespace {

// How much of the bar at `position` lies on `area`, as width and height (either may
// be zero or negative when none does). 64-bit, so positions near the integer limits
// cannot overflow.
struct Overlap {
    int64_t width = 0;
    int64_t height = 0;
};

Overlap OverlapOf(const BarPosition& position, const ScreenRect& area, int dpi) {
    const int64_t left = position.left, top = position.top;
    const int64_t right = left + ScaleToDpi(kBarWidth, dpi);
    const int64_t bottom = top + ScaleToDpi(kBarHeight, dpi);
    return {std::min<int64_t>(right, area.right) - std::max<int64_t>(left, area.left),
            std::min<int64_t>(bottom, area.bottom) - std::max<int64_t>(top, area.top)};
}

}  // namespace

bool BarReachable(const BarPosition& position, const DisplayLayout& displays) {
    for (const ScreenRect& area : displays.workAreas) {
        const Overlap on = OverlapOf(position, area, displays.dpi);
        if (on.width >= ScaleToDpi(kGripWidth, displays.dpi) &&
            on.height >= ScaleToDpi(kGripHeight, displays.dpi))
            return true;
    }
    return false;
}

int BarScreenBottom(const BarPosition& position, const DisplayLayout& displays) {
    int64_t largest = 0;
    int bottom = displays.screenHeight;
    for (size_t i = 0; i < displays.workAreas.size(); ++i) {
        const Overlap on = OverlapOf(position, displays.workAreas[i], displays.dpi);
        if (on.width <= 0 || on.height <= 0 || on.width * on.height <= largest)
            continue;
        largest = on.width * on.height;
        bottom = i < displays.monitors.size() ? displays.monitors[i].bottom
                                              : displays.workAreas[i].bottom;
    }
    return bottom;
}

BarPosition ChooseBarPosition(std::string_view stored, const DisplayLayout& displays) {
    BarPosition position;
    const size_t bar = stored.find('|');
    if (bar != std::string_view::npos && stored.find('|', bar + 1) == std::string_view::npos) {
        position.left = settings::SettingToInteger(stored.substr(0, bar));
        position.top = settings::SettingToInteger(stored.substr(bar + 1));
    }
    if (!displays.workAreas.empty() && !BarReachable(position, displays))
        return DefaultPosition(displays);
    return position;
}

BarPosition ReadBarPosition(Host& host) {
    DisplayLayout displays;
    if (host.desktop != nullptr)
        displays = host.desktop->Displays();
    const std::string stored =
        settings::ReadSetting(host, kSection, kKey, DefaultBarPositionText(displays));
    return ChooseBarPosition(stored, displays);
}

bool SaveBarPosition(Host& host, const BarPosition& position) {
    return settings::WriteSetting(
        host, kSection, kKey, std::to_string(position.left) + "|" + std::to_string(position.top));
}

}  // namespace hs::traffic
