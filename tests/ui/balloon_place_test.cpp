// Where the front end puts a balloon: on the monitor of the point it shows from, up or
// down from that monitor's bottom, and inside its work area, even on a monitor left of
// or above the primary one.
#include "ui/balloon_place.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace hs {

void PrintTo(const ScreenRect& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace ui {
namespace {

// The laptop's 1366 x 768 screen (task bar 40 high) and a 1920 x 1080 monitor to its
// left, and one of 1280 x 1024 above it.
const std::vector<ScreenRect> kDesktop = {
    {0, 0, 1366, 728}, {-1920, 0, 0, 1040}, {0, -1024, 1280, 0}};

TEST(BalloonPlace, StaysOnTheMonitorOfItsPoint) {
    // High on the left monitor: below the point, where the primary screen's bottom
    // would have sent it upwards.
    EXPECT_EQ(PlaceBalloon(-900, 722, 200, 80, false, kDesktop),
              (ScreenRect{-900, 722, -700, 802}));
    // Near that monitor's own bottom: above the point.
    EXPECT_EQ(PlaceBalloon(-900, 1000, 200, 80, false, kDesktop),
              (ScreenRect{-900, 920, -700, 1000}));
    // At its right edge it is moved left onto that monitor, not right onto the primary.
    EXPECT_EQ(PlaceBalloon(-50, 300, 200, 80, false, kDesktop), (ScreenRect{-200, 300, 0, 380}));
    // Asked upwards on the monitor above: it stands on the point, just above 0.
    EXPECT_EQ(PlaceBalloon(600, -37, 200, 80, true, kDesktop), (ScreenRect{600, -117, 800, -37}));
    // Hanging down from near the bottom of the monitor above, it would cross onto the
    // primary screen: above the point instead.
    EXPECT_EQ(PlaceBalloon(600, -30, 200, 80, false, kDesktop), (ScreenRect{600, -110, 800, -30}));
    // On the primary screen as before: under the task bar is not used.
    EXPECT_EQ(PlaceBalloon(1300, 700, 200, 80, false, kDesktop),
              (ScreenRect{1166, 620, 1366, 700}));
}

TEST(BalloonPlace, APointOffEveryMonitorUsesTheNearestAndNoneKnownLeavesItAsAsked) {
    // Under the primary screen's task bar: the primary work area, above the point.
    EXPECT_EQ(PlaceBalloon(400, 750, 200, 80, false, kDesktop), (ScreenRect{400, 648, 600, 728}));
    // Far left of the left monitor: moved onto it.
    EXPECT_EQ(PlaceBalloon(-5000, 100, 200, 80, false, kDesktop),
              (ScreenRect{-1920, 100, -1720, 180}));
    // Larger than the work area: its top left corner stays on it.
    EXPECT_EQ(PlaceBalloon(100, 100, 3000, 2000, false, {{0, 0, 1366, 728}}),
              (ScreenRect{0, 0, 3000, 2000}));
    EXPECT_EQ(PlaceBalloon(-900, 300, 200, 80, true, {}), (ScreenRect{-900, 220, -700, 300}));
}

}  // namespace
}  // namespace ui
}  // namespace hs
