// What the program does itself where Windows XP lacks a system function: the tick
// count widened to 64 bits, and the dotted IPv4 parser.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/windows/network_win.h"
#include "platform/windows/windows_clock.h"

namespace hs::win {
namespace {

TEST(TickWidener, CountsEveryWrapAndNeverGoesBack) {
    TickWidener widener;
    EXPECT_EQ(widener.Widen(5), 5u);
    EXPECT_EQ(widener.Widen(0xFFFFFFF0u), 0xFFFFFFF0u);
    EXPECT_EQ(widener.Widen(0xFFFFFFF0u), 0xFFFFFFF0u);  // the same tick is no wrap
    EXPECT_EQ(widener.Widen(3), 0x100000003ull);
    // A tick read before a later one was stored is no wrap and does not go back.
    EXPECT_EQ(widener.Widen(1), 0x100000003ull);
    EXPECT_EQ(widener.Widen(0x90000000u), 0x190000000ull);
    EXPECT_EQ(widener.Widen(0x10000000u), 0x190000000ull);
    EXPECT_EQ(widener.Widen(0xF0000000u), 0x1F0000000ull);
    EXPECT_EQ(widener.Widen(7), 0x200000007ull);
}

TEST(WindowsClockNow, FollowsTheSystemTickCountAndNeverGoesBack) {
    WindowsClock clock;
    const int64_t first = clock.NowMs();
    const uint32_t ticks = GetTickCount();
    EXPECT_LE(static_cast<uint32_t>(first) - ticks + 50u, 100u) << first << " " << ticks;
    int64_t last = first;
    for (int i = 0; i < 1000; ++i) {
        const int64_t now = clock.NowMs();
        ASSERT_GE(now, last);
        last = now;
    }
}

TEST(ParseDottedQuad, TakesOnlyTheStrictDottedForm) {
    uint32_t value = 7;
    ASSERT_TRUE(ParseDottedQuad("192.168.137.1", value));
    EXPECT_EQ(value, 0xC0A88901u);
    ASSERT_TRUE(ParseDottedQuad("0.0.0.0", value));
    EXPECT_EQ(value, 0u);
    ASSERT_TRUE(ParseDottedQuad("255.255.255.255", value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    value = 7;
    for (const char* bad :
         {"", "1.2.3", "1.2.3.4.", "1.2.3.4.5", "256.1.1.1", "1.2.3.-4", "01.2.3.4", "1..3.4",
          " 1.2.3.4", "1.2.3.4 ", "0x7f.0.0.1", "1.2.3.4x", "1234.1.1.1", "127.1", "１.2.3.4"}) {
        EXPECT_FALSE(ParseDottedQuad(bad, value)) << bad;
    }
    EXPECT_EQ(value, 7u);
}

}  // namespace
}  // namespace hs::win
