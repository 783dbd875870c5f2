#include "ui/balloon_place.h"

#include <algorithm>
#include <cstdint>

namespace hs::ui {

namespace {

// How far (x, y) lies outside `area`, squared; 0 inside. 64-bit, so coordinates near
// the integer limits cannot overflow.
int64_t DistanceSquared(int x, int y, const ScreenRect& area) {
    const int64_t dx = x < area.left     ? int64_t{area.left} - x
                       : x >= area.right ? int64_t{x} - area.right + 1
                                         : 0;
    const int64_t dy = y < area.top       ? int64_t{area.top} - y
                       : y >= area.bottom ? int64_t{y} - area.bottom + 1
                                          : 0;
    return dx * dx + dy * dy;
}

}  // namespace

ScreenRect PlaceBalloon(int x, int y, int width, int height, bool upwards,
                        const std::vector<ScreenRect>& workAreas) {
    if (workAreas.empty()) {
        const int top = upwards ? y - height : y;
        return {x, top, x + width, top + height};
    }
    const ScreenRect* area = &workAreas.front();
    int64_t nearest = DistanceSquared(x, y, *area);
    for (const ScreenRect& candidate : workAreas) {
        const int64_t distance = DistanceSquared(x, y, candidate);
        if (distance < nearest) {
            nearest = distance;
            area = &candidate;
        }
    }
    int left = x, top = y;
    if (upwards || int64_t{y} + height > area->bottom)
        top = y - height;
    // Moved back inside, the right and bottom edges first, so a balloon larger than the
    // work area keeps its top left corner on it.
    left = std::max(std::min(left, area->right - width), area->left);
    top = std::max(std::min(top, area->bottom - height), area->top);
    return {left, top, left + width, top + height};
}

}  // namespace hs::ui
