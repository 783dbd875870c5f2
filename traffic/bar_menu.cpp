#include "traffic/bar_menu.h"

#include <cstdint>
#include <string>

#include "settings/keys.h"
#include "sys/dpi.h"

namespace hs::traffic {
namespace {

constexpr const char* kOn = "是";
constexpr const char* kOff = "否";

// The band along the bottom of the bar's screen where the bubble opens upwards.
constexpr int kBottomBand = 130;
constexpr int kBarMiddle = 77;
constexpr int kBarBottom = 22;

}  // namespace

BubblePlacement PlaceBubble(const BarPosition& bar, const DisplayLayout& displays) {
    BubblePlacement placement;
    // The distances are pixels at 96 DPI, scaled as the bar is.
    const int dpi = displays.dpi;
    placement.x = bar.left + ScaleToDpi(kBarMiddle, dpi);
    const int screenBottom = BarScreenBottom(bar, displays);
    // 64-bit, so positions near the integer limits cannot overflow.
    placement.upwards = static_cast<int64_t>(bar.top) >
                        static_cast<int64_t>(screenBottom) - ScaleToDpi(kBottomBand, dpi);
    placement.y = placement.upwards ? bar.top : bar.top + ScaleToDpi(kBarBottom, dpi);
    return placement;
}

BubbleLink ReadBubbleLink(std::string_view message) {
    if (message == "m7")
        return BubbleLink::ShowMainWindow;
    if (message == "m8")
        return BubbleLink::HideBar;
    return BubbleLink::None;
}

bool ReadBarSwitch(Host& host) {
    return settings::ReadSetting(host, settings::kShowBar) == kOn;
}

bool WriteBarSwitch(Host& host, bool on) {
    return settings::WriteSetting(host, settings::kShowBar, on ? kOn : kOff);
}

}  // namespace hs::traffic
