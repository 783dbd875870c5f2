// Stories on the simulated laptop: what one command or port call changes, the
// next one sees; devices come and go on the laptop's clock.
#include "tests/sim/sim_test_support.h"

namespace hs::sim::testing {
namespace {

constexpr const char* kStaticAddress =
    "netsh interface ip set address name=\"无线网络连接 2\" source=static addr=192.168.137.1 "
    "mask=255.255.255.0 gwmetric=1";
constexpr const char* kBlockAndroid =
    "netsh interface ipv4 set neighbors 26 \"192.168.137.23\" \"00-00-00-00-00-00\" store=active";

// Configures, starts and shares as the start procedure does.
void StartHotspot(Bench& b) {
    ASSERT_NE(b.Run(kConfigure).find("承载网络模式已设置为允许"), std::string::npos);
    ASSERT_TRUE(b.host.sharing->EnableSharing("无线网络连接", SharingType::Public) ==
                SharingError::None);
    ASSERT_TRUE(b.host.sharing->EnableSharing("无线网络连接 2", SharingType::Private) ==
                SharingError::None);
    ASSERT_NE(b.Run("netsh wlan start hostednetwork").find("已启动"), std::string::npos);
    ASSERT_EQ(b.Run(kStaticAddress), "");
}

uint32_t HostedOut(Bench& b) {
    std::vector<InterfaceRow> rows;
    EXPECT_TRUE(b.host.interfaces->Rows(rows));
    for (const auto& r : rows) {
        if (r.index == 26)
            return r.outOctets;
    }
    ADD_FAILURE() << "no hosted row";
    return 0;
}

TEST(LaptopStory, PhoneAssociatesIsBlockedReleasedAndGoneAfterStop) {
    Bench b;
    StartHotspot(b);
    b.At(5);
    EXPECT_EQ(b.Run("arp -a").find("192.168.137.23"), std::string::npos);  // not joined yet
    EXPECT_NE(b.Run("netsh wlan show hostednetwork").find("客户端数               : 0"),
              std::string::npos);

    b.At(13);  // the Android phone joined at 12 s
    std::string arp = b.Run("arp -a");
    EXPECT_NE(arp.find("  192.168.137.23        a4-5e-60-c1-22-33     动态"), std::string::npos)
        << arp;
    EXPECT_NE(
        b.Run("netsh wlan show hostednetwork").find("a4:5e:60:c1:22:33        已经过身份验证"),
        std::string::npos);
    EXPECT_TRUE(b.host.network->Ping("192.168.137.23", 3000, nullptr));
    EXPECT_EQ(b.host.network->HostName("192.168.137.23"), "android-5a1c2b3d.mshome.net");

    // Blocked: the all-zero static entry takes its place; it stays associated but
    // moves nothing and answers nothing.
    EXPECT_EQ(b.Run(kBlockAndroid), "确定。\r\n\r\n");
    arp = b.Run("arp -a");
    EXPECT_NE(arp.find("  192.168.137.23        00-00-00-00-00-00     静态"), std::string::npos)
        << arp;
    EXPECT_EQ(arp.find("a4-5e-60-c1-22-33"), std::string::npos);
    EXPECT_NE(b.Run("netsh wlan show hostednetwork").find("a4:5e:60:c1:22:33"), std::string::npos);
    const uint32_t blockedAt = HostedOut(b);
    b.At(20);
    EXPECT_EQ(HostedOut(b), blockedAt);
    EXPECT_FALSE(b.host.network->Ping("192.168.137.23", 3000, nullptr));

    // Released: the entry is deleted and the phone is learnt again and moves traffic.
    EXPECT_EQ(b.Run("arp -d 192.168.137.23"), "");
    arp = b.Run("arp -a");
    EXPECT_NE(arp.find("a4-5e-60-c1-22-33     动态"), std::string::npos);
    EXPECT_EQ(arp.find("00-00-00-00-00-00"), std::string::npos);
    const uint32_t released = HostedOut(b);
    b.clock.Advance(1000);                            // (the unanswered ping above took its 3 s)
    EXPECT_EQ(HostedOut(b) - released, 180u * 1024);  // one second at 180 KB/s

    // Stopped: no station, no hotspot interface in the ARP listing.
    EXPECT_EQ(b.Run("netsh wlan stop hostednetwork"), Fixture("stop.txt"));
    EXPECT_NE(b.Run("netsh wlan show hostednetwork").find("未启动"), std::string::npos);
    EXPECT_EQ(b.Run("arp -a").find("接口: 192.168.137.1"), std::string::npos);
    EXPECT_EQ(b.Run("arp -d 192.168.137.200"), "删除 ARP 项失败: 找不到元素。\r\n\r\n");
}

TEST(LaptopStory, DevicesJoinWithinTheFirstMinuteAndALeaverLingersInTheArpTable) {
    Bench b(SimulatedLaptop::DefaultScenario() +
            "device 5c:51:88:0d:e4:a2 name=MI-PAD join=30 leave=90 down=10k up=1k\n");
    StartHotspot(b);
    const auto stations = [&] {
        const std::string s = b.Run("netsh wlan show hostednetwork");
        return Between(s, "客户端数               : ", "\r\n");
    };
    b.At(11.9);
    EXPECT_EQ(stations(), "0");
    b.At(12);
    EXPECT_EQ(stations(), "1");
    b.At(59);
    EXPECT_EQ(stations(), "4");
    b.At(90);
    EXPECT_EQ(stations(), "3");
    // Its lease is deterministic and its entry stays a while after it left.
    const LaptopModel m = b.laptop->Snapshot();
    const auto pad = std::find_if(m.devices.begin(), m.devices.end(),
                                  [](const SimDevice& d) { return d.hostName == "MI-PAD"; });
    ASSERT_NE(pad, m.devices.end());
    ASSERT_EQ(pad->ip.rfind("192.168.137.", 0), 0u);
    EXPECT_NE(b.Run("arp -a").find(pad->ip), std::string::npos);
    b.At(90 + kArpLingerMs / 1000.0);
    EXPECT_EQ(b.Run("arp -a").find(pad->ip + " "), std::string::npos);
}

TEST(LaptopStory, NotElevatedGetsAdministratorTextsAndChangesNothing) {
    Bench b("admin no\n");
    const LaptopModel before = b.laptop->Snapshot();
    EXPECT_NE(b.Run(kConfigure).find("管理员"), std::string::npos);
    EXPECT_NE(b.Run("netsh wlan start hostednetwork").find("管理员"), std::string::npos);
    EXPECT_NE(b.Run(kStaticAddress).find("管理员"), std::string::npos);
    EXPECT_NE(b.Run(kBlockAndroid).find("管理员"), std::string::npos);
    EXPECT_TRUE(b.host.sharing->EnableSharing("无线网络连接", SharingType::Public) ==
                SharingError::AccessDenied);
    ServiceStatus status;
    EXPECT_FALSE(b.host.services->Query("MpsSvc", status));
    const LaptopModel after = b.laptop->Snapshot();
    EXPECT_FALSE(after.hosted.allowed);
    EXPECT_FALSE(after.hosted.started);
    EXPECT_TRUE(after.hosted.ssid.empty());
    EXPECT_TRUE(after.neighbours.empty());
    EXPECT_EQ(after.Hosted()->dhcp, before.Hosted()->dhcp);
    for (const auto& c : after.connections)
        EXPECT_FALSE(c.sharingEnabled) << c.name;
}

TEST(LaptopStory, RadioOffMakesTheStartFailUntilItIsSwitchedOn) {
    Bench b("radio off\n");
    b.Run(kConfigure);
    const std::string out = b.Run("netsh wlan start hostednetwork");
    EXPECT_NE(out.find("无法"), std::string::npos);
    EXPECT_FALSE(b.laptop->Snapshot().hosted.started);
    EXPECT_NE(b.Run("netsh wlan show hostednetwork").find("不可用"), std::string::npos);
    b.laptop->Change([](LaptopModel& m) { m.radioOn = true; });
    EXPECT_EQ(b.Run("netsh wlan start hostednetwork"), Fixture("start-success.txt"));
}

TEST(LaptopStory, StartFailsWithoutSupportOrWhenDisallowed) {
    Bench unsupported("hosted_network unsupported\n");
    unsupported.Run(kConfigure);
    EXPECT_EQ(unsupported.Run("netsh wlan start hostednetwork"),
              Fixture("start-failure-verbatim.txt"));
    EXPECT_NE(unsupported.Run("netsh wlan show drivers").find("支持的承载网络            : 否"),
              std::string::npos);
    Bench b;
    b.Run(kConfigure);
    b.Run("netsh wlan start hostednetwork");
    b.Run("netsh wlan set hostednetwork mode=disallow");
    const LaptopModel m = b.laptop->Snapshot();
    EXPECT_FALSE(m.hosted.started);  // disallowing takes it down
    EXPECT_FALSE(m.Present(*m.Hosted()));
    EXPECT_EQ(b.Run("netsh wlan start hostednetwork"), Fixture("start-failure-verbatim.txt"));
}

TEST(LaptopStory, CountersWrapPast32BitsAndKeepGoing) {
    Bench b(SimulatedLaptop::DefaultScenario() +
            "hosted \"无线网络连接 2\" in=4294000000 out=4294000000\n");
    StartHotspot(b);
    b.At(12);
    const uint32_t before = HostedOut(b);
    EXPECT_EQ(before, 4294000000u);  // nothing moved yet
    b.At(42);                        // 30 s at 180 KB/s, then 17 s more at 90 KB/s from the iPhone
    const uint32_t after = HostedOut(b);
    EXPECT_LT(after, before);  // wrapped
    const uint64_t moved = 30ull * 180 * 1024 + 17ull * 90 * 1024;
    EXPECT_EQ(static_cast<uint32_t>(after - before), static_cast<uint32_t>(moved));
    const LaptopModel m = b.laptop->Snapshot();
    EXPECT_EQ(m.OutOctets(*m.Hosted()), 4294000000ull + moved);
    b.At(100);
    EXPECT_GT(HostedOut(b), after);  // and keeps counting from the low end
}

TEST(LaptopStory, AddressCommandsAcceptTaggedAndPositionalFormsAndRejectUnknownNames) {
    Bench b;
    b.Run(kConfigure);
    EXPECT_EQ(
        b.Run(
            "netsh interface ip set address \"无线网络连接 2\" static 192.168.137.1 255.255.255.0"),
        "");
    LaptopModel m = b.laptop->Snapshot();
    EXPECT_FALSE(m.Hosted()->dhcp);
    EXPECT_EQ(m.Hosted()->address, "192.168.137.1");
    EXPECT_EQ(b.Run("netsh interface ip set address name=\"无线网络连接 2\" source=dhcp"), "");
    EXPECT_TRUE(b.laptop->Snapshot().Hosted()->dhcp);
    EXPECT_EQ(b.Run("netsh interface ip set address name=\"无线网络连接 9\" source=static "
                    "addr=192.168.137.1 mask=255.255.255.0"),
              "文件名、目录名或卷标语法不正确。\r\n\r\n");
    EXPECT_EQ(
        b.Run("netsh interface ipv4 set neighbors 99 \"192.168.137.5\" \"00-00-00-00-00-00\""),
        "找不到元素。\r\n\r\n");
    EXPECT_TRUE(b.laptop->Snapshot().neighbours.empty());
}

TEST(LaptopStory, EnablingTheWirelessConnectionReconnectsIt) {
    Bench b(
        "upstream 无线网络连接\nconnection 无线网络连接 kind=wifi disabled=yes "
        "address=192.168.1.105/24 "
        "gateway=192.168.1.1\nconnection 本地连接 status=7\n");
    std::vector<SharingConnection> list;
    ASSERT_TRUE(b.host.sharing->Connections(list) == SharingError::None);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0].name, "无线网络连接");
    EXPECT_EQ(list[0].status, 0);
    EXPECT_FALSE(b.host.internet->Query().connected);
    EXPECT_EQ(b.Run("netsh interface set interface \"无线网络连接\" \"enabled\""), "");
    ASSERT_TRUE(b.host.sharing->Connections(list) == SharingError::None);
    EXPECT_EQ(list[0].status, 2);
    EXPECT_TRUE(b.host.internet->Query().connected);
}

TEST(LaptopStory, SameScenarioAndTimesGiveTheSameOutputs) {
    const auto run = [] {
        Bench b;
        StartHotspot(b);
        std::string all;
        for (double t : {10.0, 30.0, 50.0, 75.0}) {
            b.At(t);
            all += b.Run("arp -a") + b.Run("netsh wlan show hostednetwork");
            all += std::to_string(HostedOut(b));
        }
        return all;
    };
    EXPECT_EQ(run(), run());
}

}  // namespace
}  // namespace hs::sim::testing
