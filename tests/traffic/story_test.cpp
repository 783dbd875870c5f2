// Stories on the simulated laptop with virtual time: the start finds the hosted
// interface and takes the baselines, the totals and the bar follow the phones.
#include <gtest/gtest.h>

#include "backend/interface_lookup.h"
#include "tests/traffic/traffic_support.h"
#include "traffic/bar_rate.h"
#include "traffic/traffic_meter.h"

namespace hs::traffic {
namespace {

using backend::HostedInterface;
using backend::InterfaceNumberOf;
using backend::LookupInterfaceNumber;
using testing::Laptop;
using testing::LaptopScenario;

// One phone joining 10 s after the start, downloading 1.5 MB and uploading 0.5 MB a
// second.
constexpr const char* kPhone =
    "device a4:5e:60:c1:22:33 name=android join=10 down=1536k up=512k ip=192.168.137.23\n";

// What the start procedure does once sharing came up, and what the window thread
// then does with it.
HostedInterface BeginSession(Laptop& l, TrafficMeter& meter) {
    const HostedInterface hosted = LookupInterfaceNumber(l.host, "无线网络连接 2");
    meter.BeginSession(hosted.number, TakeBaselines(l.host, hosted.number));
    return hosted;
}

TEST(TrafficStory, TotalsStartAtZeroAndFollowThePhonesDownloadAndUpload) {
    Laptop l(LaptopScenario(kPhone));
    l.StartHotspot();
    TrafficMeter meter;
    const HostedInterface hosted = BeginSession(l, meter);
    EXPECT_EQ(hosted.index, "26");
    EXPECT_EQ(hosted.number, 26);

    auto texts = meter.Refresh(l.host);
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "0.00 MB");
    EXPECT_EQ(texts->upload, "0.00 MB");
    EXPECT_EQ(texts->total, "0 MB");

    // One second of the phone: 1,572,864 bytes down, 524,288 up. The upstream
    // interface (index 11) moved the same bytes and must not count.
    l.At(11000);
    texts = meter.Refresh(l.host);
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "1.50 MB");
    EXPECT_EQ(texts->upload, "0.50 MB");
    EXPECT_EQ(texts->total, "2 MB");

    l.At(13000);
    texts = meter.Refresh(l.host);
    EXPECT_EQ(texts->download, "4.50 MB");
    EXPECT_EQ(texts->total, "6 MB");
}

TEST(TrafficStory, CountersThatWrapDuringTheSessionStillGiveTheRightTotals) {
    // The hosted adapter's 32-bit counters are 296 bytes short of wrapping.
    Laptop l(LaptopScenario(std::string(kPhone) +
                            "hosted \"无线网络连接 2\" in=4294967000 out=4294967000\n"));
    l.StartHotspot();
    TrafficMeter meter;
    BeginSession(l, meter);
    l.At(12000);
    std::vector<InterfaceRow> rows;
    ASSERT_TRUE(l.host.interfaces->Rows(rows));
    const auto hosted = ReadingFor(rows, 26);
    ASSERT_TRUE(hosted.has_value());
    ASSERT_LT(hosted->sent32, 4294967000u);  // wrapped
    const auto texts = meter.Refresh(l.host);
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "3.00 MB");
    EXPECT_EQ(texts->upload, "1.00 MB");
    EXPECT_EQ(texts->total, "4 MB");
}

TEST(TrafficStory, ASessionOfFiveGibibytesShowsEveryMegabyte) {
    // 128 MB a second for 40 s: 5 GiB down between two refreshes.
    Laptop l(
        LaptopScenario("device a4:5e:60:c1:22:33 join=10 down=128m up=0 "
                       "ip=192.168.137.23\n"));
    l.StartHotspot();
    TrafficMeter meter;
    BeginSession(l, meter);
    ASSERT_EQ(meter.Refresh(l.host)->total, "0 MB");
    l.At(50000);
    const auto texts = meter.Refresh(l.host);
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "5120.00 MB");
    EXPECT_EQ(texts->upload, "0.00 MB");
    EXPECT_EQ(texts->total, "5120 MB");
}

TEST(TrafficStory, TheBarShowsZeroFirstThenTheTrafficOfEachTick) {
    // 1000 KB/s down and 100 KB/s up: 970 KB and 97 KB in each tick of 970 ms. The
    // hosted counters wrap during the second tick.
    Laptop l(
        LaptopScenario("device a4:5e:60:c1:22:33 join=0 down=1000k up=100k "
                       "ip=192.168.137.23\n"
                       "hosted \"无线网络连接 2\" in=4294967000 out=4289347296\n"));
    l.StartHotspot();
    BarRate bar;
    bar.SetInterfaceNumber(LookupInterfaceNumber(l.host, "无线网络连接 2").number);
    bar.RefreshSnapshot(l.host);
    l.At(5000);
    auto texts = bar.Tick(l.host);
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->download, "0.0KB/S");
    EXPECT_EQ(texts->upload, "0.0KB/S");
    for (int tick = 1; tick <= 3; ++tick) {
        SCOPED_TRACE(tick);
        l.At(5000 + tick * kBarRefreshMs);
        texts = bar.Tick(l.host);
        ASSERT_TRUE(texts.has_value());
        EXPECT_EQ(texts->download, "970.0KB/S");
        EXPECT_EQ(texts->upload, "97.0KB/S");
    }
}

TEST(TrafficStory, TheLookupFindsTheWholeNameOnly) {
    Laptop l("windows 8\n");
    // The hosted adapter is listed once the hosted network is allowed.
    RunCommand(l.host, "netsh wlan set hostednetwork mode=allow ssid=mylove key=12345678");
    // The hosted adapter of Windows 8 has a "*" in its name; "本地连接* 2" comes after it
    // in the listing and must not be taken for "本地连接* 12"'s prefix either way.
    EXPECT_EQ(LookupInterfaceNumber(l.host, "本地连接* 12").index, "14");
    EXPECT_EQ(LookupInterfaceNumber(l.host, "本地连接* 2").index, "4");
    const HostedInterface missing = LookupInterfaceNumber(l.host, "本地连接* 1");
    // No header: no index at all, never another interface's.
    EXPECT_EQ(missing.index, "");
    EXPECT_EQ(missing.number, 0);
    EXPECT_EQ(LookupInterfaceNumber(l.host, "Wi-Fi (2)").index, "");
    EXPECT_EQ(LookupInterfaceNumber(l.host, "Wi-Fi").index, "3");
    // The name is the whole rest of the header, in its case.
    EXPECT_EQ(LookupInterfaceNumber(l.host, "wi-fi").index, "");
}

TEST(TrafficStory, TheLookupWantsTheNameInItsCaseAfterTheIndexOnly) {
    // A VPN whose name ends like another connection's, and two names differing in case.
    const std::string listing =
        "\r\n接口 7: VPN: Wi-Fi\r\n\r\n ipv4 传输校验和计算\r\n\r\n接口 9: WLAN\r\n"
        "\r\n接口 3: Wi-Fi  \r\n\r\n接口 11: wlan\r\n接口 x: 以太网\r\n";
    EXPECT_EQ(backend::InterfaceFromOffloadListing(listing, "Wi-Fi").index, "3");
    EXPECT_EQ(backend::InterfaceFromOffloadListing(listing, "VPN: Wi-Fi").index, "7");
    EXPECT_EQ(backend::InterfaceFromOffloadListing(listing, "WLAN").index, "9");
    EXPECT_EQ(backend::InterfaceFromOffloadListing(listing, "wlan").number, 11);
    // No header of that name, or none with a numeric index: no index.
    for (const char* name : {"Wlan", "以太网", "Wi", "", "Fi"})
        EXPECT_EQ(backend::InterfaceFromOffloadListing(listing, name).index, "") << name;
    // The header's word in the other languages the program knows.
    EXPECT_EQ(backend::InterfaceFromOffloadListing("介面 5: Wi-Fi\r\n", "Wi-Fi").number, 5);
    EXPECT_EQ(backend::InterfaceFromOffloadListing("Interface 6: Wi-Fi\r\n", "Wi-Fi").number, 6);
}

TEST(TrafficStory, AStartWhoseInterfaceHasNoRowLeavesTheLabels) {
    Laptop l(LaptopScenario(kPhone));
    l.StartHotspot();
    TrafficMeter meter;
    const HostedInterface hosted = LookupInterfaceNumber(l.host, "无线网络连接 9");
    EXPECT_EQ(hosted.number, 0);
    EXPECT_FALSE(TakeBaselines(l.host, hosted.number).has_value());
    meter.BeginSession(hosted.number, TakeBaselines(l.host, hosted.number));
    l.At(20000);
    EXPECT_FALSE(meter.Refresh(l.host).has_value());
}

TEST(InterfaceNumbers, TextIndexesBecomeNumbersOrNothing) {
    EXPECT_EQ(InterfaceNumberOf("26"), 26);
    EXPECT_EQ(InterfaceNumberOf(" 14"), 14);
    EXPECT_EQ(InterfaceNumberOf("7x"), 7);
    EXPECT_EQ(InterfaceNumberOf("abc"), 0);
    EXPECT_EQ(InterfaceNumberOf(""), 0);
    EXPECT_EQ(InterfaceNumberOf("99999999999999999999"), 0);
}

}  // namespace
}  // namespace hs::traffic
