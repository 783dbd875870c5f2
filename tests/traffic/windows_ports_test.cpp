// The interface table's 64-bit counters and the monitors' work areas from the real
// system calls (under Wine).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/windows/interfaces_win.h"
#include "platform/windows/windows_system.h"
#include "traffic/bar_position.h"
#include "traffic/interface_snapshot.h"

namespace hs {
namespace {

TEST(WindowsInterfaceCounters, WideCountersCarryTheNarrowOnesInTheirLowBits) {
    win::WindowsInterfaces interfaces;
    std::vector<InterfaceRow> rows;
    ASSERT_TRUE(interfaces.Rows(rows));
    ASSERT_FALSE(rows.empty());
    int wide = 0;
    for (const InterfaceRow& row : rows) {
        SCOPED_TRACE(row.description);
        if (!row.wideCounters) {
            // Without the wide table the 64-bit fields repeat the 32-bit counters.
            EXPECT_EQ(row.inOctets64, row.inOctets);
            EXPECT_EQ(row.outOctets64, row.outOctets);
            continue;
        }
        ++wide;
        // The two tables are read one after the other; little can move in between.
        EXPECT_LT(static_cast<uint32_t>(static_cast<uint32_t>(row.inOctets64) - row.inOctets),
                  1048576u);
        EXPECT_LT(static_cast<uint32_t>(static_cast<uint32_t>(row.outOctets64) - row.outOctets),
                  1048576u);
    }
    // Every system this program runs on has the wide table.
    EXPECT_GT(wide, 0);
    // The snapshot finds a row by its own index.
    const auto reading = traffic::ReadingFor(rows, static_cast<int>(rows.back().index));
    ASSERT_TRUE(reading.has_value());
    EXPECT_EQ(reading->wide, rows.back().wideCounters);
}

TEST(WindowsDesktopDisplays, ThePrimaryScreenTheMonitorsAndTheirWorkAreas) {
    win::WindowsDesktop desktop;
    const DisplayLayout layout = desktop.Displays();
    ASSERT_GT(layout.screenWidth, 0);
    ASSERT_GT(layout.screenHeight, 0);
    ASSERT_FALSE(layout.workAreas.empty());
    bool primary = false;
    for (const ScreenRect& area : layout.workAreas) {
        EXPECT_LT(area.left, area.right);
        EXPECT_LT(area.top, area.bottom);
        primary = primary || (area.left == 0 && area.top == 0 && area.right <= layout.screenWidth &&
                              area.bottom <= layout.screenHeight);
    }
    EXPECT_TRUE(primary);
    // Each work area lies on its own monitor's whole area, listed in the same order.
    ASSERT_EQ(layout.monitors.size(), layout.workAreas.size());
    for (size_t i = 0; i < layout.monitors.size(); ++i) {
        const ScreenRect& whole = layout.monitors[i];
        const ScreenRect& work = layout.workAreas[i];
        EXPECT_LE(whole.left, work.left);
        EXPECT_LE(whole.top, work.top);
        EXPECT_GE(whole.right, work.right);
        EXPECT_GE(whole.bottom, work.bottom);
    }
    // The default position of the bar lies on that desktop.
    const traffic::BarPosition position =
        traffic::ChooseBarPosition(traffic::DefaultBarPositionText(layout), layout);
    EXPECT_EQ(position.left, layout.screenWidth - 186);
    EXPECT_EQ(position.top, layout.screenHeight - 118);
}

}  // namespace
}  // namespace hs
