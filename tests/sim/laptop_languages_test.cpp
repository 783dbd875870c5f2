// The simulated console in English and in Traditional Chinese prints the samples
// of tests/fixtures/en-US and tests/fixtures/zh-TW in the situations in which the
// Simplified Chinese one prints those of zh-CN, through the same console bytes.
#include "tests/sim/sim_test_support.h"

namespace hs::sim::testing {
namespace {

using hs::testing::FixtureIn;

// A Windows 7 installed in one language: its connections' names in that language.
struct Language {
    const char* code;
    const char* wifi;
    const char* lan;
    const char* dialUp;
};

// Names the language in a failed expectation.
void PrintTo(const Language& l, std::ostream* out) {
    *out << l.code;
}

std::string ScenarioIn(const Language& l) {
    const std::string quoted = std::string("\"") + l.wifi + "\"";
    return std::string("language ") + l.code + "\n" + "connection " + quoted +
           " kind=wifi index=11 address=192.168.1.105/24 gateway=192.168.1.1 "
           "gateway_mac=c8-3a-35-84-78-1e\n" +
           "connection \"" + l.lan + "\" kind=ethernet status=7 index=10\n" + "connection \"" +
           l.dialUp + "\" kind=ppp status=0 index=30\n" + "hosted \"" + l.wifi + " 2\" index=26\n" +
           "device a4:5e:60:c1:22:33 join=12 ip=192.168.137.23\n"
           "device 3c:15:c2:9a:8b:01 join=25 ip=192.168.137.61\n"
           "device f0:db:e2:44:10:7e join=48 ip=192.168.137.140\n";
}

class ConsoleLanguage : public ::testing::TestWithParam<Language> {
  protected:
    std::string Sample(const std::string& name) { return FixtureIn(GetParam().code, name); }
    std::string Scenario() { return ScenarioIn(GetParam()); }
};

TEST_P(ConsoleLanguage, HotspotCommandsPrintTheSamples) {
    Bench b(Scenario());
    const std::string hosted = std::string(GetParam().wifi) + " 2";
    EXPECT_EQ(b.Run("netsh wlan start hostednetwork"), Sample("start-failure.txt"));
    EXPECT_EQ(b.Run(kConfigure), Sample("set-allow-success.txt"));
    EXPECT_EQ(b.Run("netsh wlan show hostednetwork"), Sample("hostednetwork-not-started.txt"));
    EXPECT_EQ(b.Run("netsh wlan show drivers"), Sample("drivers-supported.txt"));
    EXPECT_EQ(b.Run("netsh wlan start hostednetwork"), Sample("start-success.txt"));
    EXPECT_EQ(b.Run("netsh interface ipv4 show addresses"),
              Sample("addresses-win7-hosted-dhcp.txt"));
    EXPECT_EQ(b.Run("netsh interface ipv4 show offload"), Sample("offload-win7.txt"));
    ASSERT_TRUE(b.host.sharing->EnableSharing(GetParam().wifi, SharingType::Public) ==
                SharingError::None);
    ASSERT_TRUE(b.host.sharing->EnableSharing(hosted, SharingType::Private) == SharingError::None);
    b.Run("netsh interface ip set address name=\"" + hosted +
          "\" source=static addr=192.168.137.1 mask=255.255.255.0 gwmetric=1");
    b.At(60);
    EXPECT_EQ(b.Run("netsh wlan show hostednetwork"),
              Sample("hostednetwork-started-3-clients.txt"));
    EXPECT_EQ(b.Run("arp -a"), Sample("arp-hotspot-3-clients.txt"));
    EXPECT_EQ(b.Run("netsh interface ipv4 set neighbors 26 \"192.168.137.23\" "
                    "\"00-00-00-00-00-00\" store=active"),
              Sample("neighbors-set.txt"));
    EXPECT_EQ(b.Run("netsh wlan stop hostednetwork"), Sample("stop.txt"));
    EXPECT_EQ(b.Run("netsh wlan set hostednetwork mode=disallow"), Sample("set-disallow.txt"));
}

TEST_P(ConsoleLanguage, RefusalsPrintTheSamples) {
    Bench plain(Scenario() + "admin no\n");
    EXPECT_EQ(plain.Run(kConfigure), Sample("set-not-admin.txt"));
    Bench off(Scenario() + "radio off\n");
    off.Run(kConfigure);
    EXPECT_EQ(off.Run("netsh wlan start hostednetwork"), Sample("start-failure-radio-off.txt"));
    // A driver that cannot host fails the start with the same words as a start
    // before any configuration.
    Bench unsupported(Scenario() + "hosted_network unsupported\n");
    unsupported.Run(kConfigure);
    EXPECT_EQ(unsupported.Run("netsh wlan start hostednetwork"), Sample("start-failure.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ConsoleLanguage,
    ::testing::Values(Language{"en-US", "Wireless Network Connection", "Local Area Connection",
                               "Broadband Connection"},
                      Language{"zh-TW", "無線網路連線", "區域連線", "寬頻連線"}),
    [](const ::testing::TestParamInfo<Language>& info) {
        return info.index == 0 ? std::string("English") : std::string("TraditionalChinese");
    });

}  // namespace
}  // namespace hs::sim::testing
