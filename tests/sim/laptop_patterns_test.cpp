// The program's own patterns over the simulated output find exactly what they
// find in the real sample of the same situation.
#include "sys/regex.h"
#include "sys/text.h"
#include "tests/sim/sim_test_support.h"

namespace hs::sim::testing {
namespace {

constexpr const char* kIp = "\\d+\\.\\d+\\.\\d+\\.\\d+";
constexpr const char* kDashMac = "([0-9A-F]{2})(-[0-9A-F]{2}){5}";
constexpr const char* kColonMac = "([0-9A-F]{2})(:[0-9A-F]{2}){5}";

std::vector<std::string> All(const std::string& pattern, const std::string& subject) {
    RegexObject re;
    EXPECT_TRUE(re.Create(pattern, subject)) << pattern;
    std::vector<std::string> out;
    for (int i = 1; i <= re.MatchCount(); ++i)
        out.push_back(re.MatchText(i));
    return out;
}

// The client list's cut of `arp -a`: the hotspot segment up to its broadcast entry,
// as address + "+" + hardware address pairs.
std::vector<std::string> HotspotPairs(const std::string& arp) {
    RegexObject right;
    right.Create("192\\.168\\.137.*ff-ff-ff-ff-ff-ff", arp);
    const std::string segment = TextBetween(arp, "接口: 192.168.137", right.MatchText(1));
    const auto ips = All(kIp, segment);
    const auto macs = All(kDashMac, segment);
    std::vector<std::string> pairs;
    for (size_t i = 0; i < ips.size(); ++i)
        pairs.push_back(ips[i] + "+" + (i < macs.size() ? macs[i] : ""));
    return pairs;
}

// Configures, shares privately and starts, as the start procedure does.
void StartSharing(Bench& b) {
    b.Run(kConfigure);
    b.host.sharing->EnableSharing("无线网络连接 2", SharingType::Private);
    b.Run("netsh wlan start hostednetwork");
}

TEST(ParserPatterns, ArpSegmentAndStationsAreTheSamplesOnes) {
    Bench b;
    StartSharing(b);
    // Before the static address the DHCP test finds "是" after the hosted name.
    const std::string pattern = std::string("无线网络连接 2") + ".*\\n.*DHCP.*";
    RegexObject sim, real;
    sim.Create(pattern, b.Run("netsh interface ipv4 show addresses"));
    real.Create(pattern, Fixture("addresses-win7-hosted-dhcp.txt"));
    EXPECT_EQ(sim.MatchText(1), real.MatchText(1));
    EXPECT_NE(sim.MatchText(1).find("是"), std::string::npos);

    b.Run(
        "netsh interface ip set address name=\"无线网络连接 2\" source=static addr=192.168.137.1 "
        "mask=255.255.255.0 gwmetric=1");
    b.At(60);
    const auto simulated = HotspotPairs(b.Run("arp -a"));
    EXPECT_EQ(simulated, HotspotPairs(Fixture("arp-hotspot-3-clients.txt")));
    EXPECT_EQ(simulated.size(), 3u);
    const std::string status = b.Run("netsh wlan show hostednetwork");
    EXPECT_EQ(All(kColonMac, status),
              All(kColonMac, Fixture("hostednetwork-started-3-clients.txt")));
    EXPECT_EQ(All(kColonMac, status).size(), 4u);  // the BSSID and three stations
}

TEST(ParserPatterns, OffloadHeaderOfAnAsteriskNameGivesTheSamplesIndex) {
    Bench b(
        "windows 8\nconnection Wi-Fi kind=wifi index=3 address=192.168.1.105/24 "
        "gateway=192.168.1.1\n"
        "connection \"本地连接* 2\" kind=wifidirect index=4 status=7\n");
    b.Run(kConfigure);
    b.Run("netsh wlan start hostednetwork");
    const std::string pattern = "接口 .*: 本地连接\\* 12";
    RegexObject sim, real;
    sim.Create(pattern, b.Run("netsh interface ipv4 show offload"));
    real.Create(pattern, Fixture("offload-win8-asterisk.txt"));
    ASSERT_EQ(sim.MatchCount(), 1);
    EXPECT_EQ(sim.MatchText(1), real.MatchText(1));
    EXPECT_EQ(TextBetween(sim.MatchText(1), "接口 ", ":"), "14");
}

}  // namespace
}  // namespace hs::sim::testing
