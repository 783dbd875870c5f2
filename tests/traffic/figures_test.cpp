// The figures as the labels show them: megabytes with two decimals, the total as the
// sum of the rounded figures, the bar's KB/S and MB/S.
#include <gtest/gtest.h>

#include <cstdint>

#include "traffic/bar_rate.h"
#include "traffic/figures.h"

namespace hs::traffic {
namespace {

constexpr uint64_t kMB = 1048576;

TEST(Figures, MegabytesHaveExactlyTwoDecimalsAndRoundHalvesUp) {
    EXPECT_EQ(FormatMegabytes(0), "0.00 MB");
    EXPECT_EQ(FormatMegabytes(1572864), "1.50 MB");
    EXPECT_EQ(FormatMegabytes(12 * kMB + 367002), "12.35 MB");  // 12.35000...
    EXPECT_EQ(FormatMegabytes(5242), "0.00 MB");                // 0.004999 MB
    EXPECT_EQ(FormatMegabytes(5243), "0.01 MB");                // 0.005000 MB
    EXPECT_EQ(FormatMegabytes(kMB - 1), "1.00 MB");
    EXPECT_EQ(FormatMegabytes(5 * 1024 * kMB), "5120.00 MB");
    // No thousands separators, and no overflow at the top of the range.
    EXPECT_EQ(FormatMegabytes(1000000 * kMB), "1000000.00 MB");
    EXPECT_EQ(FormatMegabytes(UINT64_MAX), "17592186044416.00 MB");
}

TEST(Figures, TheTotalIsTheSumOfTheRoundedFiguresWithoutTrailingZeros) {
    EXPECT_EQ(FormatTotal(0, 0), "0 MB");
    EXPECT_EQ(FormatTotal(1572864, 0), "1.5 MB");
    EXPECT_EQ(FormatTotal(1572864, 1572864), "3 MB");
    EXPECT_EQ(FormatTotal(12 * kMB + 367002, 0), "12.35 MB");
    // 0.005 MB each shows 0.01 MB twice: the total is 0.02 MB, not the 0.01 MB the
    // exact sum would round to.
    EXPECT_EQ(FormatTotal(5243, 5243), "0.02 MB");
    EXPECT_EQ(FormatTotal(5 * 1024 * kMB, 3 * kMB / 4), "5120.75 MB");
}

TEST(Figures, RatesInKilobytesUpTo999AndMegabytesAbove) {
    EXPECT_EQ(FormatRate(0), "0.0KB/S");
    EXPECT_EQ(FormatRate(1023), "0.0KB/S");  // whole kilobytes, truncated
    EXPECT_EQ(FormatRate(999 * 1024), "999.0KB/S");
    EXPECT_EQ(FormatRate(999 * 1024 + 1023), "999.0KB/S");
    EXPECT_EQ(FormatRate(1000 * 1024), "0.98MB/S");
    EXPECT_EQ(FormatRate(2048 * 1024), "2.00MB/S");
    EXPECT_EQ(FormatRate(1152 * 1024), "1.13MB/S");  // 1.125: the half rounds up
}

TEST(Figures, OneTickIsTheDifferenceModulo32BitsAndNeverNegative) {
    EXPECT_EQ(TickBytes(1000, 1000), 0u);
    EXPECT_EQ(TickBytes(1000, 3048), 2048u);
    EXPECT_EQ(TickBytes(4294967000u, 1000), 1296u);  // across the wrap
    EXPECT_EQ(TickBytes(5000, 1000), 0u);            // a counter that went back
    EXPECT_EQ(TickBytes(0, 0x7FFFFFFFu), 0x7FFFFFFFu);
}

}  // namespace
}  // namespace hs::traffic
