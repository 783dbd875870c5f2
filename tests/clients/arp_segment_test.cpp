// The hotspot segment of "arp -a": candidates paired within their own line, and
// the listings that give none.
#include <gtest/gtest.h>

#include "backend/hosted_network.h"

#include "clients/client_pass.h"

namespace hs::clients {
namespace {

using Rows = std::vector<ClientRow>;

const std::string kOther =
    "\r\n接口: 192.168.1.105 --- 0xb\r\n"
    "  Internet 地址         物理地址              类型\r\n"
    "  192.168.1.1           c8-3a-35-84-78-1e     动态\r\n"
    "  192.168.1.255         ff-ff-ff-ff-ff-ff     静态\r\n";
const std::string kHeader =
    "\r\n接口: 192.168.137.1 --- 0x1a\r\n"
    "  Internet 地址         物理地址              类型\r\n";
const std::string kTail =
    "  192.168.137.255       ff-ff-ff-ff-ff-ff     静态\r\n"
    "  224.0.0.22            01-00-5e-00-00-16     静态\r\n"
    "  255.255.255.255       ff-ff-ff-ff-ff-ff     静态\r\n";

TEST(ArpSegment, AnEntryWithoutAHardwareAddressShiftsNoOtherPair) {
    const std::string arp = kOther + kHeader +
                            "  192.168.137.5         (不完整)              无效\r\n"
                            "  192.168.137.23        a4-5e-60-c1-22-33     动态\r\n"
                            "  192.168.137.61        3c-15-c2-9a-8b-01     动态\r\n" +
                            kTail;
    EXPECT_EQ(ArpCandidates(arp), (Rows{{"192.168.137.23", "a4-5e-60-c1-22-33"},
                                        {"192.168.137.61", "3c-15-c2-9a-8b-01"}}));
}

TEST(ArpSegment, OnlyTheHotspotsEntriesBeforeItsBroadcastEntryCount) {
    const std::string entry = "  192.168.137.23        00-00-00-00-00-00     静态\r\n";
    // Other interfaces before and after; the all-zero entry is a candidate (the pass
    // skips it), broadcast and multicast are not.
    EXPECT_EQ(ArpCandidates(kOther + kHeader + entry + kTail + kOther),
              (Rows{{"192.168.137.23", "00-00-00-00-00-00"}}));
    // Another language's header finds the same segment (the words before the address
    // never matter); a header of another address, no broadcast entry, nothing at all:
    // no candidates.
    for (const char* word : {"Interface", "介面", "接口："}) {
        std::string other = kHeader + entry + kTail;
        other.replace(other.find("接口:"), std::string("接口:").size(), word);
        EXPECT_EQ(ArpCandidates(other), (Rows{{"192.168.137.23", "00-00-00-00-00-00"}})) << word;
    }
    std::string elsewhere = kHeader + entry + kTail;
    elsewhere.replace(elsewhere.find("192.168.137.1 "), 14, "192.168.1.5 ");
    EXPECT_TRUE(ArpCandidates(elsewhere).empty());
    EXPECT_TRUE(ArpCandidates(kHeader + entry).empty());
    EXPECT_TRUE(ArpCandidates("").empty());
    EXPECT_TRUE(ArpCandidates("未找到 ARP 项。\r\n").empty());
}

TEST(ArpSegment, ThreeHundredEntriesGiveThreeHundredCandidatesInOrder) {
    std::string arp = kHeader;
    for (int i = 0; i < 300; ++i) {
        char line[80];
        std::snprintf(line, sizeof line,
                      "  192.168.137.%-3d       02-00-00-00-%02x-%02x     动态\r\n", i % 250 + 2,
                      i / 256, i % 256);
        arp += line;
    }
    const Rows rows = ArpCandidates(arp + kTail);
    ASSERT_EQ(rows.size(), 300u);
    EXPECT_EQ(rows[0].ip, "192.168.137.2");
    EXPECT_EQ(rows[299].mac, "02-00-00-00-01-2b");
}

TEST(StationCount, CountsEveryColonAddressButTheBssidAndNeverGoesNegative) {
    const backend::Stations stations = backend::ReadHostedNetworkStatus(
        "    状态                   : 已启动\r\n"
        "    BSSID                  : 8e:70:5a:1c:2b:3d\r\n"
        "        a4:5e:60:c1:22:33        已经过身份验证\r\n");
    EXPECT_EQ(stations.state, backend::NetworkState::Running);
    EXPECT_EQ(stations.devices, 1);
    EXPECT_EQ(stations.addresses.count("A4-5E-60-C1-22-33"), 1u);
    EXPECT_EQ(CountLabel(stations.devices), "设备总数[1]");
    const backend::Stations idle =
        backend::ReadHostedNetworkStatus("    状态                   : 未启动\r\n");
    EXPECT_EQ(idle.state, backend::NetworkState::Idle);
    EXPECT_EQ(idle.devices, 0);
    EXPECT_EQ(backend::ReadHostedNetworkStatus("").state, backend::NetworkState::Unknown);
}

}  // namespace
}  // namespace hs::clients
