// The simulated console prints what a Chinese Windows prints in the same
// situation: the samples in tests/fixtures/zh-CN, and the markers the parsers use.
#include "tests/sim/sim_test_support.h"

namespace hs::sim::testing {
namespace {

constexpr const char* kWin8 = R"(windows 8
connection Wi-Fi kind=wifi index=3 address=192.168.1.105/24 gateway=192.168.1.1 gateway_mac=c8-3a-35-84-78-1e
connection "本地连接* 2" kind=wifidirect index=4 status=7
)";

TEST(ConsoleShape, HostedNetworkCommandsPrintTheSamples) {
    Bench b;
    EXPECT_EQ(b.Run("netsh wlan start hostednetwork"), Fixture("start-failure-verbatim.txt"));
    EXPECT_EQ(b.Run(kConfigure), Fixture("set-allow-success.txt"));
    EXPECT_EQ(b.Run("netsh wlan show hostednetwork"), Fixture("hostednetwork-not-started.txt"));
    EXPECT_EQ(b.Run("netsh wlan start hostednetwork"), Fixture("start-success.txt"));
    EXPECT_EQ(b.Run("netsh wlan stop hostednetwork"), Fixture("stop.txt"));
    EXPECT_EQ(b.Run("netsh wlan set hostednetwork mode=disallow"), Fixture("set-disallow.txt"));
    EXPECT_EQ(b.Run("netsh wlan show drivers"), Fixture("drivers-supported.txt"));
}

TEST(ConsoleShape, ConsoleBytesAreGbkWithCrLf) {
    Bench b;
    const std::string bytes = b.laptop->RunBytes(kConfigure);
    EXPECT_EQ(bytes, b.codec->Utf8ToGbk(Fixture("set-allow-success.txt")));
    EXPECT_EQ(bytes.substr(0, 4), "\xB3\xD0\xD4\xD8");  // 承载 in GBK
    EXPECT_NE(bytes.find("\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);  // every line feed follows a CR
}

TEST(ConsoleShape, StartedNetworkWithThreePhonesPrintsTheSamples) {
    Bench b;
    b.Run(kConfigure);
    b.Run("netsh wlan start hostednetwork");
    // The addresses listing before the static address: the hosted adapter is on DHCP.
    EXPECT_EQ(TrimEnd(b.Run("netsh interface ipv4 show addresses")),
              TrimEnd(Fixture("addresses-win7-hosted-dhcp.txt")));
    EXPECT_EQ(TrimEnd(b.Run("netsh interface ipv4 show offload")),
              TrimEnd(Fixture("offload-win7.txt")));
    ASSERT_TRUE(b.host.sharing->EnableSharing("无线网络连接", SharingType::Public) ==
                SharingError::None);
    ASSERT_TRUE(b.host.sharing->EnableSharing("无线网络连接 2", SharingType::Private) ==
                SharingError::None);
    b.Run(
        "netsh interface ip set address name=\"无线网络连接 2\" source=static addr=192.168.137.1 "
        "mask=255.255.255.0 gwmetric=1");
    b.At(60);
    EXPECT_EQ(b.Run("netsh wlan show hostednetwork"),
              Fixture("hostednetwork-started-3-clients.txt"));
    EXPECT_EQ(b.Run("arp -a"), Fixture("arp-hotspot-3-clients.txt"));
}

TEST(ConsoleShape, NotElevatedConfigurationPrintsTheSample) {
    Bench b("admin no\n");
    EXPECT_EQ(b.Run(kConfigure), Fixture("set-not-admin.txt"));
}

TEST(ConsoleShape, RadioOffStartPrintsTheSample) {
    Bench b("radio off\n");
    b.Run(kConfigure);
    EXPECT_EQ(b.Run("netsh wlan start hostednetwork"), Fixture("start-failure-radio-off.txt"));
}

TEST(ConsoleShape, Windows8ListingsPrintTheSamples) {
    Bench b(kWin8);
    b.Run(kConfigure);
    b.Run("netsh wlan start hostednetwork");
    EXPECT_EQ(TrimEnd(b.Run("netsh interface ipv4 show offload")),
              TrimEnd(Fixture("offload-win8-asterisk.txt")));
    b.Run(
        "netsh interface ip set address name=\"本地连接* 12\" source=static addr=192.168.137.1 "
        "mask=255.255.255.0 gwmetric=1");
    EXPECT_EQ(TrimEnd(b.Run("netsh interface ipv4 show addresses")),
              TrimEnd(Fixture("addresses-win8-hosted-static.txt")));
}

// What the parsers take out of the output: the same from the sample and from the
// simulation of the same situation.
TEST(ConsoleShape, MarkersFindWhatTheyFindInTheSamples) {
    Bench b;
    b.Run(kConfigure);
    b.Run("netsh wlan start hostednetwork");
    const std::string addresses = b.Run("netsh interface ipv4 show addresses");
    const std::string sample = Fixture("addresses-win7-hosted-dhcp.txt");
    // The DHCP line directly follows the hosted connection's line, and says "是".
    const std::string simulated = LineAndNext(addresses, "无线网络连接 2\"");
    EXPECT_EQ(simulated, LineAndNext(sample, "无线网络连接 2\""));
    EXPECT_NE(simulated.find("DHCP"), std::string::npos);
    EXPECT_NE(simulated.find("是"), std::string::npos);

    // The offload header of the hosted connection gives its index.
    const auto headerIndex = [](const std::string& text, const std::string& name) {
        const size_t at = text.find(": " + name + "\r\n");
        if (at == std::string::npos)
            return std::string("none");
        const size_t lineStart = text.rfind('\n', at) + 1;
        return Between(text.substr(lineStart), "接口 ", ":");
    };
    const std::string offload = b.Run("netsh interface ipv4 show offload");
    EXPECT_EQ(headerIndex(offload, "无线网络连接 2"), "26");
    EXPECT_EQ(headerIndex(offload, "无线网络连接 2"),
              headerIndex(Fixture("offload-win7.txt"), "无线网络连接 2"));
    Bench win8(kWin8);
    win8.Run(kConfigure);
    EXPECT_EQ(headerIndex(win8.Run("netsh interface ipv4 show offload"), "本地连接* 12"),
              headerIndex(Fixture("offload-win8-asterisk.txt"), "本地连接* 12"));

    // Not elevated: "管理员"; radio off: "无法".
    Bench plain("admin no\n");
    EXPECT_NE(plain.Run(kConfigure).find("管理员"), std::string::npos);
    Bench off("radio off\n");
    off.Run(kConfigure);
    EXPECT_NE(off.Run("netsh wlan start hostednetwork").find("无法"), std::string::npos);
}

TEST(ConsoleShape, BlockedAndLeftSegmentMatchesTheSample) {
    // The sample's situation: four stations, .61 blocked by an all-zero entry and
    // .98 gone from the hosted network but still in the ARP table.
    Bench b(R"(device a4:5e:60:c1:22:33 join=1 ip=192.168.137.23
device 3c:15:c2:9a:8b:01 join=1 ip=192.168.137.61
device 5c:51:88:0d:e4:a2 join=1 leave=30 ip=192.168.137.98
device f0:db:e2:44:10:7e join=1 ip=192.168.137.140
)");
    b.Run(kConfigure);
    b.Run("netsh wlan start hostednetwork");
    b.host.sharing->EnableSharing("无线网络连接 2", SharingType::Private);
    b.Run(
        "netsh interface ip set address name=\"无线网络连接 2\" source=static addr=192.168.137.1 "
        "mask=255.255.255.0 gwmetric=1");
    b.At(10);
    b.Run(
        "netsh interface ipv4 set neighbors 26 \"192.168.137.61\" \"00-00-00-00-00-00\" "
        "store=active");
    b.At(40);
    const std::string arp = b.Run("arp -a");
    const std::string sample = Fixture("arp-hotspot-blocked-and-left.txt");
    // The segment from the interface header to the broadcast entry, as the client list cuts it.
    const auto segment = [](const std::string& text) {
        return Between(text, "接口: 192.168.137", "192.168.137.255");
    };
    std::string simulated = segment(arp);
    std::string real = segment(sample);
    // The sample prints one address in upper case; the parsers ignore case.
    for (auto* s : {&simulated, &real}) {
        for (char& c : *s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(simulated, real);
    // The hosted-network status lists the three stations still associated, blocked one included.
    const std::string status = b.Run("netsh wlan show hostednetwork");
    EXPECT_NE(status.find("客户端数               : 3"), std::string::npos);
    EXPECT_NE(status.find("3c:15:c2:9a:8b:01"), std::string::npos);
    EXPECT_EQ(status.find("5c:51:88:0d:e4:a2"), std::string::npos);
}

TEST(ConsoleShape, UnknownCommandsPrintWhatCmdPrintsAndChangeNothing) {
    Bench b;
    const LaptopModel before = b.laptop->Snapshot();
    EXPECT_EQ(b.Run("ipconfig /all"),
              "'ipconfig' 不是内部或外部命令，也不是可运行的程序\r\n或批处理文件。\r\n");
    EXPECT_NE(b.Run("netsh wlan frobnicate").find("找不到下列命令"), std::string::npos);
    const LaptopModel after = b.laptop->Snapshot();
    EXPECT_EQ(after.hosted.allowed, before.hosted.allowed);
    EXPECT_EQ(after.neighbours.size(), before.neighbours.size());
}

}  // namespace
}  // namespace hs::sim::testing
