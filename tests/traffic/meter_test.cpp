// The session totals and the bar's rates from given interface tables: the hosted
// row found by its index, wraps, counters past 4 GiB, resets, missing rows.
#include <gtest/gtest.h>

#include "tests/traffic/traffic_support.h"
#include "traffic/bar_rate.h"
#include "traffic/traffic_meter.h"

namespace hs::traffic {
namespace {

using testing::NarrowRow;
using testing::SparseTable;
using testing::WideRow;

constexpr uint64_t kMB = 1048576;
constexpr uint64_t kGiB = 1024 * kMB;

TEST(InterfaceRows, TheHostedRowIsTheRowWithThatIndexNotThatPosition) {
    const InterfaceSnapshot table = SparseTable(WideRow(26, 111, 222));
    const auto hosted = ReadingFor(table, 26);
    ASSERT_TRUE(hosted.has_value());
    EXPECT_EQ(hosted->received, 111u);
    EXPECT_EQ(hosted->sent, 222u);
    // Position 2 of the table is index 10; no row has index 2, 0 or -1.
    EXPECT_FALSE(ReadingFor(table, 2).has_value());
    EXPECT_FALSE(ReadingFor(table, 0).has_value());
    EXPECT_FALSE(ReadingFor(table, -1).has_value());
    EXPECT_FALSE(ReadingFor({}, 26).has_value());
    EXPECT_EQ(ReadingFor(table, 10)->sent, 6000u);
}

TEST(TrafficMeter, CountsFromTheBaselinesInMegabytesAndTheirSum) {
    TrafficMeter meter;
    meter.BeginSession(26, ReadingFor(SparseTable(WideRow(26, 7000, 9000)), 26));
    auto texts = meter.RefreshFrom(SparseTable(WideRow(26, 7000, 9000)));
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "0.00 MB");
    EXPECT_EQ(texts->upload, "0.00 MB");
    EXPECT_EQ(texts->total, "0 MB");

    // The adapter's sent bytes are the devices' download; its received their upload.
    texts = meter.RefreshFrom(SparseTable(WideRow(26, 7000 + 5243, 9000 + 1572864)));
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "1.50 MB");
    EXPECT_EQ(texts->upload, "0.01 MB");
    EXPECT_EQ(texts->total, "1.51 MB");
    EXPECT_EQ(meter.DownloadBytes(), 1572864u);
    EXPECT_EQ(meter.UploadBytes(), 5243u);
}

TEST(TrafficMeter, ThirtyTwoBitCountersAreFollowedAcrossTheirWrap) {
    TrafficMeter meter;
    const uint32_t near = 4294967000u;
    meter.BeginSession(26, ReadingFor(SparseTable(NarrowRow(26, near, near)), 26));
    // 1.5 MB later both counters have wrapped past 4294967295.
    const uint32_t after = static_cast<uint32_t>(near + 1572864u);
    ASSERT_LT(after, near);
    const auto texts = meter.RefreshFrom(SparseTable(NarrowRow(26, after, after)));
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "1.50 MB");
    EXPECT_EQ(texts->upload, "1.50 MB");
    EXPECT_EQ(texts->total, "3 MB");
}

TEST(TrafficMeter, ASessionPastFourGibibytesCountsEveryByte) {
    TrafficMeter meter;
    const uint64_t start = 3 * kGiB + 12345;
    meter.BeginSession(26, ReadingFor(SparseTable(WideRow(26, start, start)), 26));
    // 2.5 GiB: a 32-bit difference read as signed would be negative here.
    auto texts = meter.RefreshFrom(SparseTable(WideRow(26, start + kGiB, start + 5 * kGiB / 2)));
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "2560.00 MB");
    EXPECT_EQ(texts->upload, "1024.00 MB");
    // 5 GiB, more than a 32-bit counter can hold between two refreshes.
    texts = meter.RefreshFrom(SparseTable(WideRow(26, start + kGiB, start + 5 * kGiB)));
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "5120.00 MB");
    EXPECT_EQ(texts->total, "6144 MB");
}

TEST(TrafficMeter, ACounterThatStartsAgainKeepsWhatWasCountedAndNeverGoesNegative) {
    for (const bool wide : {true, false}) {
        SCOPED_TRACE(wide ? "64-bit counters" : "32-bit counters");
        const auto row = [&](uint64_t in, uint64_t out) {
            return wide ? WideRow(26, in, out)
                        : NarrowRow(26, static_cast<uint32_t>(in), static_cast<uint32_t>(out));
        };
        TrafficMeter meter;
        meter.BeginSession(26, ReadingFor(SparseTable(row(50 * kMB, 80 * kMB)), 26));
        ASSERT_TRUE(meter.RefreshFrom(SparseTable(row(51 * kMB, 82 * kMB))).has_value());
        // The adapter was reset: its counters start from 0 again.
        const auto texts = meter.RefreshFrom(SparseTable(row(kMB / 2, kMB)));
        ASSERT_TRUE(texts.has_value());
        EXPECT_EQ(texts->download, "3.00 MB");
        EXPECT_EQ(texts->upload, "1.50 MB");
        EXPECT_EQ(texts->total, "4.5 MB");
    }
}

TEST(TrafficMeter, NoSessionOrNoHostedRowLeavesTheLabelsAsTheyAre) {
    TrafficMeter meter;
    // Before any start: nothing to show, the labels keep their "0.00 MB".
    EXPECT_FALSE(meter.RefreshFrom(SparseTable(WideRow(26, 5 * kMB, 5 * kMB))).has_value());

    // An interface number that no row has (the lookup's "2").
    meter.BeginSession(2, ReadingFor(SparseTable(WideRow(26, 0, 0)), 2));
    EXPECT_FALSE(meter.RefreshFrom(SparseTable(WideRow(26, kMB, kMB))).has_value());

    // A stopped session keeps its last figures instead of counting from 0.
    meter.BeginSession(26, ReadingFor(SparseTable(WideRow(26, 0, 0)), 26));
    ASSERT_EQ(meter.RefreshFrom(SparseTable(WideRow(26, kMB, kMB)))->download, "1.00 MB");
    meter.EndSession();
    EXPECT_FALSE(meter.SessionRunning());
    EXPECT_FALSE(meter.RefreshFrom(SparseTable(WideRow(26, 9 * kMB, 9 * kMB))).has_value());
    EXPECT_EQ(meter.DownloadBytes(), kMB);
}

TEST(TrafficMeter, WithoutBaselinesTheFirstRowFoundStartsTheCount) {
    TrafficMeter meter;
    meter.BeginSession(26, std::nullopt);  // the table could not be read at the start
    EXPECT_FALSE(meter.RefreshFrom({}).has_value());
    auto texts = meter.RefreshFrom(SparseTable(WideRow(26, 700 * kMB, 900 * kMB)));
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "0.00 MB");
    texts = meter.RefreshFrom(SparseTable(WideRow(26, 700 * kMB, 902 * kMB)));
    EXPECT_EQ(texts->download, "2.00 MB");
}

TEST(BarRate, FirstTickShowsZeroThenTheTrafficOfOneTick) {
    BarRate bar;
    bar.SetInterfaceNumber(26);
    auto texts = bar.TickFrom(SparseTable(WideRow(26, 3000000, 4000000)));
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "0.0KB/S");
    EXPECT_EQ(texts->upload, "0.0KB/S");

    texts = bar.TickFrom(SparseTable(WideRow(26, 3000000 + 1000 * 1024, 4000000 + 999 * 1024)));
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "999.0KB/S");
    EXPECT_EQ(texts->upload, "0.98MB/S");

    // Nothing moved in the next tick.
    texts = bar.TickFrom(SparseTable(WideRow(26, 3000000 + 1000 * 1024, 4000000 + 999 * 1024)));
    EXPECT_EQ(texts->download, "0.0KB/S");
}

TEST(BarRate, OneTickAcrossTheWrapAndAfterAResetNeverShowsANegativeRate) {
    BarRate bar;
    bar.SetInterfaceNumber(26);
    ASSERT_TRUE(bar.TickFrom(SparseTable(NarrowRow(26, 4294967000u, 4294967000u))));
    auto texts = bar.TickFrom(SparseTable(NarrowRow(26, 2048 * 1024 - 296, 10 * 1024 - 296)));
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "10.0KB/S");
    EXPECT_EQ(texts->upload, "2.00MB/S");
    texts = bar.TickFrom(SparseTable(NarrowRow(26, 100, 100)));  // the adapter was reset
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "0.0KB/S");
    EXPECT_EQ(texts->upload, "0.0KB/S");
}

TEST(BarRate, NoHostedRowLeavesTheLabelsAndAnotherInterfaceStartsAfresh) {
    BarRate bar;
    bar.SetInterfaceNumber(2);  // the lookup found nothing; no row has index 2
    EXPECT_FALSE(bar.TickFrom(SparseTable(WideRow(26, 0, 0))).has_value());
    bar.SetInterfaceNumber(26);
    ASSERT_TRUE(bar.TickFrom(SparseTable(WideRow(26, 0, 0))));
    // Another hosted interface: its first tick has no sample yet.
    bar.SetInterfaceNumber(10);
    const auto texts = bar.TickFrom(SparseTable(WideRow(26, 0, 0)));
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "0.0KB/S");
}

}  // namespace
}  // namespace hs::traffic
