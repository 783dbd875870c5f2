// The client-list pass on the simulated laptop: command lines, pauses, rows, names
// and the names file's bytes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "clients/blacklist.h"
#include "clients/device_names.h"
#include "sys/worker.h"
#include "tests/clients/clients_support.h"

namespace hs::clients::testing {
namespace {

using Pauses = std::vector<int64_t>;
using Lines = std::vector<std::string>;

const Lines kReads = {"arp -a", "netsh wlan show hostednetwork"};

TEST(ClientPass, ThreePhonesAreListedInArpOrderNamedAndCounted) {
    Hotspot h;
    h.At(60);
    Recorder sink = h.Pass();
    EXPECT_TRUE(h.completed);
    EXPECT_EQ(h.Commands(), kReads);
    EXPECT_EQ(sink.label, "设备总数[3]");
    EXPECT_EQ(sink.rows,
              (std::vector<ClientRow>{
                  {kAndroidIp, kAndroidMac}, {kIphoneIp, kIphoneMac}, {kSilentIp, kSilentMac}}));
    EXPECT_EQ(sink.events, (Lines{"count 设备总数[3]", "list 3",
                                  std::string("name ") + kAndroidMac + " 安卓设备",
                                  std::string("name ") + kIphoneMac + " 苹果设备",
                                  std::string("name ") + kSilentMac + " 未知设备"}));
    // 5 ms per entry, 5 ms per row, 10 ms per looked-up name; the silent phone's ping
    // waits out its 3000 ms.
    EXPECT_EQ(h.Pauses(), (Pauses{5, 5, 5, 5, 5, 5, 10, 10, 3000, 10}));
    // A new names file starts with an empty line.
    EXPECT_EQ(h.File(kNamesPath),
              "\r\na4-5e-60-c1-22-33+安卓设备\r\n3c-15-c2-9a-8b-01+苹果设备\r\n"
              "f0-db-e2-44-10-7e+未知设备");

    // The next pass shows the saved names without pinging anyone, and writes nothing.
    const std::string before = h.Bytes(kNamesPath);
    Recorder again = h.Pass();
    EXPECT_EQ(again.names, sink.names);
    EXPECT_EQ(h.Pauses(), (Pauses{5, 5, 5, 5, 5, 5}));
    EXPECT_EQ(h.Bytes(kNamesPath), before);
}

TEST(ClientPass, AStationThatLeftButKeepsItsArpEntryIsNotListed) {
    Hotspot h(sim::SimulatedLaptop::DefaultScenario() +
              "device 5c:51:88:0d:e4:a2 name=MI-PAD join=30 leave=50 ip=192.168.137.40\n");
    h.At(60);
    ASSERT_NE(h.Run("arp -a").find("5c-51-88-0d-e4-a2"), std::string::npos);
    Recorder sink = h.Pass();
    ASSERT_EQ(sink.rows.size(), 3u);
    for (const ClientRow& row : sink.rows)
        EXPECT_NE(row.mac, "5c-51-88-0d-e4-a2");
    EXPECT_EQ(sink.label, "设备总数[3]");
    // Its entry still costs the pass its pause.
    const Pauses pauses = h.Pauses();
    EXPECT_EQ(std::count(pauses.begin(), pauses.end(), 5), 4 + 3);
}

TEST(ClientPass, ABlacklistedPhoneIsBlockedWheneverItShowsItsRealAddressAndNeverListed) {
    Hotspot h;
    h.At(60);
    // Letter case plays no role; the name part neither.
    h.Write(kBlacklistPath, "A4-5E-60-C1-22-33+旧手机\r\n");
    Recorder first = h.Pass();
    EXPECT_EQ(h.Commands(), (Lines{"arp -a", "netsh wlan show hostednetwork", Block(kAndroidIp)}));
    EXPECT_EQ(first.rows,
              (std::vector<ClientRow>{{kIphoneIp, kIphoneMac}, {kSilentIp, kSilentMac}}));
    // Counted from the hosted network's stations: the blocked phone is still one.
    EXPECT_EQ(first.label, "设备总数[3]");

    // Blocked now: its entry is all zeros, so it is neither listed nor blocked again.
    ASSERT_NE(h.Run("arp -a").find("192.168.137.23        00-00-00-00-00-00     静态"),
              std::string::npos);
    Recorder second = h.Pass();
    EXPECT_EQ(h.Commands(), kReads);
    EXPECT_EQ(second.rows.size(), 2u);

    // Its block deleted, it shows up with its real address and is blocked once more.
    h.Run("arp -d 192.168.137.23");
    h.Pass();
    EXPECT_EQ(h.Commands(), (Lines{"arp -a", "netsh wlan show hostednetwork", Block(kAndroidIp)}));

    // It left and came back with a new address: blocked at that one.
    h.laptop->Change([](sim::LaptopModel& m) {
        for (auto& d : m.devices) {
            if (d.mac == "a4:5e:60:c1:22:33")
                d.ip = "192.168.137.99";
        }
    });
    h.Pass();
    EXPECT_EQ(h.Commands(),
              (Lines{"arp -a", "netsh wlan show hostednetwork", Block("192.168.137.99")}));
}

TEST(ClientPass, SeveralBlacklistedPhonesAreBlockedFromTheLastEntryToTheFirst) {
    Hotspot h;
    h.At(60);
    h.Write(kBlacklistPath, std::string(kAndroidMac) + "+\r\n" + kSilentMac + "+x\r\n");
    Recorder sink = h.Pass();
    EXPECT_EQ(h.Commands(), (Lines{"arp -a", "netsh wlan show hostednetwork", Block(kSilentIp),
                                   Block(kAndroidIp)}));
    EXPECT_EQ(sink.rows, (std::vector<ClientRow>{{kIphoneIp, kIphoneMac}}));
    EXPECT_EQ(h.Pauses(), (Pauses{5, 5, 5, 5, 10}));
}

TEST(ClientPass, NothingIsListedWhileTheHostedNetworkIsDownOrBeforeAnyoneJoined) {
    Hotspot h;
    h.At(5);  // nobody has joined yet
    Recorder early = h.Pass();
    EXPECT_TRUE(h.completed);
    EXPECT_TRUE(early.rows.empty());
    EXPECT_EQ(early.label, "设备总数[0]");
    EXPECT_EQ(h.File(kNamesPath), "<missing>");

    h.At(60);
    h.Run("netsh wlan stop hostednetwork");
    Recorder stopped = h.Pass();
    EXPECT_TRUE(stopped.rows.empty());
    // No colon-form address at all: never a negative count.
    EXPECT_EQ(stopped.label, "设备总数[0]");
    EXPECT_EQ(stopped.count, 0);
    EXPECT_EQ(h.Commands(), kReads);
}

TEST(ClientPass, SixteenRowsLeaveTheSixteenthUnnamedAndEveryStationCountsPastTheHundredthColon) {
    Hotspot h(ManyPhones(20));
    h.At(10);
    h.Write(kBlacklistPath, ManyMac(20) + "+\r\n");
    Recorder sink = h.Pass();
    // The twentieth station is past the first hundred colons of the status, and is
    // blocked all the same.
    EXPECT_EQ(h.Commands(),
              (Lines{"arp -a", "netsh wlan show hostednetwork", Block("192.168.137.21")}));
    ASSERT_EQ(sink.rows.size(), 19u);
    EXPECT_EQ(sink.label, "设备总数[20]");
    ASSERT_EQ(sink.named.size(), 15u);
    for (int k = 1; k <= 15; ++k) {
        EXPECT_EQ(sink.rows[static_cast<size_t>(k - 1)].mac, ManyMac(k));
        EXPECT_EQ(sink.names[ManyMac(k)], "PHONE-" + std::to_string(k));
    }
    EXPECT_EQ(sink.names.count(ManyMac(16)), 0u);
    EXPECT_EQ(h.File(kNamesPath).find(ManyMac(16)), std::string::npos);
}

TEST(ClientPass, AnEmptySavedNameIsLookedUpAgainAndItsLineReplacedInPlace) {
    Hotspot h;
    h.At(60);
    // LF-only line ends, a NUL and bytes that are not GBK: kept byte for byte.
    const std::string file = std::string("hand\nwritten\0line\n", 19) + "\xff\xfe" + "\r\n" +
                             kAndroidMac + "+\r\n" + kIphoneMac + "+我的+手机\r\n" + kSilentMac +
                             "+静音";
    const size_t mine = file.find(kAndroidMac);
    h.WriteBytes(kNamesPath, file.substr(0, mine) + h.codec->Utf8ToGbk(file.substr(mine)));
    const std::string bytes = h.Bytes(kNamesPath);
    Recorder sink = h.Pass();
    EXPECT_EQ(sink.names[kAndroidMac], "安卓设备");
    EXPECT_EQ(sink.names[kIphoneMac], "我的+手机");  // a "+" in a name is part of it
    EXPECT_EQ(sink.names[kSilentMac], "静音");
    // Only the Android phone was looked up: one ping, one 10 ms pause.
    EXPECT_EQ(h.Pauses(), (Pauses{5, 5, 5, 5, 5, 5, 10}));
    std::string expected = bytes;
    const std::string emptyLine = std::string(kAndroidMac) + "+";
    expected.replace(expected.find(emptyLine), emptyLine.size(),
                     emptyLine + h.codec->Utf8ToGbk("安卓设备"));
    EXPECT_EQ(h.Bytes(kNamesPath), expected);
}

TEST(ClientPass, HostNamesLoseTheSharingSuffixAndOtherNamesAreShownAsTheyAre) {
    Hotspot h(sim::SimulatedLaptop::DefaultScenario() +
              "device 5c:51:88:0d:e4:a2 name=DESKTOP-7F2 join=1 ip=192.168.137.40\n"
              "device 5c:51:88:0d:e4:a3 join=1 ip=192.168.137.41\n"
              "device 5c:51:88:0d:e4:a4 name=Galaxy-ANDROID-ipHone join=1 ip=192.168.137.42\n"
              "device 5c:51:88:0d:e4:a5 name=Johns-IPHONE join=1 ip=192.168.137.43\n");
    h.At(60);
    Recorder sink = h.Pass();
    EXPECT_EQ(sink.names["5c-51-88-0d-e4-a2"], "DESKTOP-7F2");
    EXPECT_EQ(sink.names["5c-51-88-0d-e4-a3"], "未知设备");  // answers, but has no name
    EXPECT_EQ(sink.names["5c-51-88-0d-e4-a4"], "安卓设备");
    EXPECT_EQ(sink.names["5c-51-88-0d-e4-a5"], "苹果设备");
}

TEST(ClientPass, ARenameSavedWhileTheDeviceIsLookedUpIsKept) {
    Hotspot h;
    h.At(60);
    h.Write(kNamesPath, std::string(kAndroidMac) + "+");
    HookedProbe probe(*h.host.network);
    h.host.network = &probe;
    probe.onLookup = [&](const std::string& ip) {
        if (ip == kAndroidIp) {
            EXPECT_TRUE(SaveDeviceName(h.host, kAndroidMac, "客厅的平板").saved);
        }
    };
    Recorder sink = h.Pass();
    EXPECT_EQ(sink.names[kAndroidMac], "客厅的平板");
    EXPECT_EQ(h.File(kNamesPath).rfind(std::string(kAndroidMac) + "+客厅的平板\r\n", 0), 0u);
    EXPECT_EQ(probe.pings,
              (Lines{std::string(kAndroidIp) + " 3000", std::string(kIphoneIp) + " 3000",
                     std::string(kSilentIp) + " 3000"}));
}

TEST(ClientPass, UntrustedHostNamesAreCleanedBeforeTheyAreShownOrSaved) {
    Hotspot h(sim::SimulatedLaptop::DefaultScenario() +
              "device 5c:51:88:0d:e4:a2 join=1 ip=192.168.137.40\n");
    h.At(60);
    const std::string hostile =
        "evil\r\n" + std::string(kIphoneMac) + "+pwned\t" + std::string(100, 'x') + ".mshome.net";
    h.laptop->Change([&](sim::LaptopModel& m) { m.names["192.168.137.40"] = hostile; });
    Recorder sink = h.Pass();
    const std::string name = sink.names["5c-51-88-0d-e4-a2"];
    EXPECT_EQ(name,
              ("evil" + std::string(kIphoneMac) + "+pwned" + std::string(100, 'x')).substr(0, 63));
    // A name that holds another device's address does not become that device's line.
    EXPECT_EQ(sink.names[kIphoneMac], "苹果设备");
    // One line per device: the name added none.
    const std::string file = h.File(kNamesPath);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 4);
    EXPECT_NE(file.find("\r\n5c-51-88-0d-e4-a2+" + name), std::string::npos);
}

TEST(ClientPass, AStopEndsThePassBetweenStepsAndSavesNoGuess) {
    Hotspot h;
    h.At(60);
    HookedProbe probe(*h.host.network);
    h.host.network = &probe;
    std::atomic<bool> inPing{false};
    probe.onPing = [&](const std::string& ip) {
        if (ip != kIphoneIp)
            return;
        inPing = true;
        while (!StopRequested())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    Recorder sink;
    bool completed = true;
    h.Mark();
    Task task;
    task.Start([&] { completed = RefreshClientList(h.host, h.network, kHostedIndex, sink); });
    while (!inPing)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    task.RequestStop();
    task.Join();
    EXPECT_FALSE(completed);
    // The Android phone's name was saved whole; the iPhone's stop saved nothing.
    EXPECT_EQ(sink.named, (Lines{kAndroidMac}));
    EXPECT_EQ(h.File(kNamesPath), "\r\na4-5e-60-c1-22-33+安卓设备");
}

TEST(ClientPass, HugeDataFilesAreReadAndWrittenWholeWithinTheTimeOfAPass) {
    Hotspot h;
    h.At(60);
    std::string huge;
    while (huge.size() < 10 * 1024 * 1024)
        huge += "00-11-22-33-44-55+" + std::string(60, 'n') + "\r\n";
    h.WriteBytes(kNamesPath, huge);
    h.WriteBytes(kBlacklistPath, huge + kIphoneMac + "+");
    Recorder sink = h.Pass();
    EXPECT_EQ(h.Commands(), (Lines{"arp -a", "netsh wlan show hostednetwork", Block(kIphoneIp)}));
    EXPECT_EQ(sink.rows.size(), 2u);
    const std::string after = h.Bytes(kNamesPath);
    EXPECT_EQ(after.substr(0, huge.size()), huge);
    EXPECT_EQ(h.codec->GbkToUtf8(after.substr(huge.size())),
              "\r\na4-5e-60-c1-22-33+安卓设备\r\nf0-db-e2-44-10-7e+未知设备");
}

TEST(ClientPass, AnUnreadableNamesFileIsNeverOverwritten) {
    Hotspot h;
    h.At(60);
    std::filesystem::create_directory(h.files.Locate(kNamesPath));
    Recorder sink = h.Pass();
    EXPECT_TRUE(h.completed);
    EXPECT_EQ(sink.names[kAndroidMac], "安卓设备");
    EXPECT_TRUE(std::filesystem::is_directory(h.files.Locate(kNamesPath)));
}

}  // namespace
}  // namespace hs::clients::testing
