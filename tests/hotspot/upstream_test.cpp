// The upstream choice, the sharing passes and the adapter discovery on the
// simulated laptop.
#include "hotspot/upstream.h"

#include "backend/adapter_discovery.h"
#include "hotspot/sharing_config.h"
#include "settings/settings_file.h"
#include "tests/hotspot/hotspot_support.h"

namespace hs::hotspot::testing {
namespace {

using Texts = std::vector<std::string>;

TEST(Upstream, ThePreferredNamesWinInTheirOrder) {
    Program p("windows 7\nupstream 无线网络连接\n");
    ui::Control combo = p.C("组合框1");
    combo.SetItems({"宽带连接", "ChinaNetSNWide", "无线网络连接", "本地连接"});
    EXPECT_EQ(ChooseUpstream(p.host, combo.Items(), ""), "无线网络连接");
    combo.SetItems({"本地连接", "宽带连接", "ChinaNetSNWide"});
    EXPECT_EQ(ChooseUpstream(p.host, combo.Items(), ""), "ChinaNetSNWide");
    combo.SetItems({"宽带连接", "Wi-Fi"});
    EXPECT_EQ(ChooseUpstream(p.host, combo.Items(), ""), "Wi-Fi");
    EXPECT_TRUE(p.Pauses().empty());
}

TEST(Upstream, TheLocalNetworkIsReplacedByTheCollectedWiredName) {
    Program p(R"(windows 7
upstream 本地连接
connection 本地连接 kind=ethernet status=2 index=10 address=192.168.0.20/24 gateway=192.168.0.1
connection "本地连接 2" kind=ethernet status=7 index=12
)");
    const std::string wired = p.OnWorker(
        [&] { return DisableAllSharing(p.host, p.H().Backend(), false, "").wiredNames; });
    EXPECT_EQ(wired, "本地连接");
    const Texts items = p.OnWorker([&] { return ListConnections(p.host, false); });
    EXPECT_EQ(items, (Texts{"本地连接"}));
    EXPECT_EQ(p.OnWorker([&] { return ChooseUpstream(p.host, items, wired); }), "本地连接");
    EXPECT_TRUE(p.Pauses().empty());
}

TEST(Upstream, NoInternetLeavesItEmptyAfterTwoMoreTries) {
    Program p(R"(windows 7
connection 本地连接 kind=ethernet status=7 index=10
)");
    EXPECT_EQ(p.OnWorker([&] { return ChooseUpstream(p.host, {}, ""); }), "");
    EXPECT_EQ(p.Pauses(), (std::vector<int64_t>{300, 300}));
}

TEST(Upstream, FocusLostCorrectsTheNameAndSavesIt) {
    Program p("windows 7\n");
    const std::pair<const char*, const char*> cases[] = {{"宽带连接2", "宽带连接 2"},
                                                         {"无线网络连接2", "无线网络连接 2"},
                                                         {"无线网络连接3", "无线网络连接 3"},
                                                         {"宽带连接 3", "宽带连接 3"}};
    for (const auto& [typed, shown] : cases) {
        ASSERT_TRUE(p.driver->Type("组合框1", typed));
        ASSERT_TRUE(p.driver->Leave("组合框1"));
        EXPECT_EQ(p.C("组合框1").Text(), shown);
        EXPECT_EQ(settings::ReadSetting(p.host, "kdmc", "kdmc", ""), shown);
    }
}

TEST(Upstream, RememberingAndForgettingTheChoice) {
    Program p("windows 7\nupstream 无线网络连接\n");
    ui::Control combo = p.C("组合框1");
    combo.SetItems({"无线网络连接", "宽带连接"});
    combo.SetText("宽带连接");
    ASSERT_TRUE(p.driver->Click("选择框2"));
    EXPECT_EQ(settings::ReadSetting(p.host, "xzk2", "xz", ""), "1");
    EXPECT_EQ(settings::ReadSetting(p.host, "kdmc", "kdmc", ""), "宽带连接");
    ASSERT_TRUE(p.driver->Click("选择框2"));
    EXPECT_EQ(settings::ReadSetting(p.host, "xzk2", "xz", ""), "2");
    p.app->Settle();
    EXPECT_EQ(combo.Text(), "无线网络连接");  // chosen anew, on a worker
}

TEST(Upstream, ViewConnectionsOpensTheSystemsWindow) {
    Program p("windows 7\n");
    ASSERT_TRUE(p.driver->Click("按钮查看连接"));
    EXPECT_EQ(p.laptop->Snapshot().startedPrograms, (Texts{"control.exe ncpa.cpl"}));
}

TEST(SharingPasses, WiredNamesAreCollectedPerSystem) {
    // Windows 8 collects "以太网" too and collapses two of them; Windows 7 never does.
    const char* scenario = R"(windows 8
connection 以太网 kind=ethernet status=2 index=5
connection "以太网 2" kind=ethernet status=7 index=6
)";
    Program eight(scenario);
    EXPECT_EQ(eight.OnWorker([&] {
        return DisableAllSharing(eight.host, eight.H().Backend(), true, "").wiredNames;
    }),
              "以太网");
    EXPECT_EQ(eight.Commands(), (Texts{kDisallow}));

    Program seven(scenario);
    EXPECT_EQ(seven.OnWorker([&] {
        return DisableAllSharing(seven.host, seven.H().Backend(), false, "").wiredNames;
    }),
              "");
}

TEST(SharingPasses, ListingSkipsDisconnectedAndSwitchesTheWirelessBackOn) {
    Program p(R"(windows 7
connection 无线网络连接 kind=wifi disabled=yes index=11
connection 本地连接 kind=ethernet status=2 index=10
connection 宽带连接 kind=ppp status=0 index=30
connection 有线2 kind=ethernet status=7 index=12
)");
    EXPECT_EQ(p.OnWorker([&] { return ListConnections(p.host, false); }), (Texts{"本地连接"}));
    EXPECT_EQ(p.Commands(), (Texts{"netsh interface set interface \"无线网络连接\" \"enabled\""}));
}

TEST(SharingPasses, TheUpstreamIsTrimmedAndTheHostedNameMustMatchExactly) {
    Program p("windows 7\nupstream 无线网络连接\n");
    p.Commands();
    ASSERT_EQ(p.laptop->RunBytes("netsh wlan set hostednetwork mode=allow").empty(), false);
    auto share = [&](const char* hosted, const char* upstream) {
        return p.OnWorker([&] { return EnableHotspotSharing(p.host, hosted, upstream); });
    };
    SharingOutcome outcome = share("无线网络连接 2 ", " 无线网络连接 ");
    EXPECT_TRUE(outcome.publicMatched);
    EXPECT_FALSE(outcome.privateMatched);
    EXPECT_FALSE(outcome.Succeeded());
    outcome = share("无线网络连接 2", " 无线网络连接 ");
    EXPECT_TRUE(outcome.Succeeded());
    // An upstream that matches no connection: the public side was never switched on,
    // so the phones reach nothing.
    outcome = share("无线网络连接 2", "不存在的连接");
    EXPECT_TRUE(outcome.privateMatched);
    EXPECT_FALSE(outcome.publicMatched);
    EXPECT_FALSE(outcome.Succeeded());
}

TEST(Discovery, EachVariantFindsItsAdapter) {
    // The hosted adapter is listed while the hosted network is allowed.
    Program seven("windows 7\n");
    seven.laptop->RunBytes("netsh wlan set hostednetwork mode=allow");
    EXPECT_EQ(backend::HostedAdapterDiscovery(seven.host, backend::DiscoveryVariant::Other, ""),
              "无线网络连接 2");

    Program eight("windows 8\n");
    eight.laptop->RunBytes("netsh wlan set hostednetwork mode=allow");
    EXPECT_EQ(backend::HostedAdapterDiscovery(eight.host, backend::DiscoveryVariant::Windows8,
                                              " 本地连接* 12 "),
              "本地连接* 12");
}

TEST(Discovery, NothingFoundLeavesTheBoxAsItWas) {
    // Disallowed: no hosted adapter. The Wi-Fi Direct adapter holds "Microsoft" but
    // not "Microsoft 托管".
    Program eight("windows 8\n");
    EXPECT_EQ(
        backend::HostedAdapterDiscovery(eight.host, backend::DiscoveryVariant::Windows8, "earlier"),
        "earlier");

    // A description naming "microsoft" only in lower case is passed over.
    Program seven(R"(windows 7
hosted "无线网络连接 2" index=26 description="microsoft virtual adapter"
)");
    seven.laptop->RunBytes("netsh wlan set hostednetwork mode=allow");
    EXPECT_EQ(
        backend::HostedAdapterDiscovery(seven.host, backend::DiscoveryVariant::Other, "earlier"),
        "earlier");
}

}  // namespace
}  // namespace hs::hotspot::testing
