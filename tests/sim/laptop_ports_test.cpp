// The simulated laptop's ports other than the console.
#include <algorithm>

#include "tests/sim/sim_test_support.h"

namespace hs::sim::testing {
namespace {

std::string ConnectionOfDescription(Bench& b, const std::string& prefix) {
    std::vector<AdapterInfo> adapters;
    EXPECT_TRUE(b.host.adapters->Adapters(adapters));
    for (const auto& a : adapters) {
        if (a.description.rfind(prefix, 0) == 0)
            return b.host.adapters->ConnectionName(a.adapterName);
    }
    return "(none)";
}

TEST(SharingPort, ListsConnectionsWithStatusAndMovesEachSide) {
    Bench b;
    std::vector<SharingConnection> list;
    ASSERT_TRUE(b.host.sharing->Connections(list) == SharingError::None);
    ASSERT_EQ(list.size(), 3u);  // the hosted adapter exists only once it is allowed
    EXPECT_EQ(list[0].name, "无线网络连接");
    EXPECT_EQ(list[0].status, 2);
    EXPECT_EQ(list[1].name, "本地连接");
    EXPECT_EQ(list[1].status, 7);
    EXPECT_EQ(list[2].name, "宽带连接");
    EXPECT_EQ(list[2].status, 0);

    b.Run(kConfigure);
    ASSERT_TRUE(b.host.sharing->Connections(list) == SharingError::None);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1].name, "无线网络连接 2");
    EXPECT_EQ(list[1].status, 7);
    b.Run("netsh wlan start hostednetwork");
    ASSERT_TRUE(b.host.sharing->Connections(list) == SharingError::None);
    EXPECT_EQ(list[1].status, 2);

    EXPECT_TRUE(b.host.sharing->EnableSharing("无线网络连接", SharingType::Public) ==
                SharingError::None);
    EXPECT_TRUE(b.host.sharing->EnableSharing("本地连接", SharingType::Public) ==
                SharingError::None);
    EXPECT_TRUE(b.host.sharing->EnableSharing("无线网络连接 2", SharingType::Private) ==
                SharingError::None);
    EXPECT_TRUE(b.host.sharing->EnableSharing("没有这个连接", SharingType::Private) ==
                SharingError::NotFound);
    ASSERT_TRUE(b.host.sharing->Connections(list) == SharingError::None);
    EXPECT_FALSE(list[0].sharingEnabled);  // the public side moved to 本地连接
    EXPECT_TRUE(list[1].sharingEnabled);
    EXPECT_TRUE(list[1].sharingType == SharingType::Private);
    EXPECT_TRUE(list[2].sharingEnabled);
    EXPECT_TRUE(list[2].sharingType == SharingType::Public);
    EXPECT_TRUE(b.host.sharing->DisableSharing("本地连接") == SharingError::None);
    ASSERT_TRUE(b.host.sharing->Connections(list) == SharingError::None);
    EXPECT_FALSE(list[2].sharingEnabled);
}

TEST(SharingPort, ReportsAnUnavailableService) {
    Bench missing("sharing unavailable\n");
    std::vector<SharingConnection> list;
    EXPECT_TRUE(missing.host.sharing->Connections(list) == SharingError::ServiceUnavailable);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(missing.host.sharing->EnableSharing("无线网络连接", SharingType::Public) ==
                SharingError::ServiceUnavailable);
    Bench disabled("service SharedAccess start=4 state=1\n");
    EXPECT_TRUE(disabled.host.sharing->EnableSharing("无线网络连接", SharingType::Public) ==
                SharingError::ServiceUnavailable);
}

TEST(AdapterPort, HostedAdapterHasTheSystemsDescriptionAndConnectionName) {
    Bench win7;
    EXPECT_EQ(ConnectionOfDescription(win7, "Microsoft Virtual WiFi Miniport"), "(none)");
    win7.Run(kConfigure);
    EXPECT_EQ(ConnectionOfDescription(win7, "Microsoft Virtual WiFi Miniport"), "无线网络连接 2");
    EXPECT_EQ(win7.host.adapters->ConnectionName("{00000000-0000-0000-0000-000000000000}"), "");

    Bench win8("windows 8\n");
    win8.Run(kConfigure);
    EXPECT_EQ(ConnectionOfDescription(win8, "Microsoft 托管网络虚拟适配器"), "本地连接* 12");
    EXPECT_EQ(ConnectionOfDescription(win8, "Microsoft Wi-Fi Direct"), "本地连接* 2");
    const OsVersion v = win8.host.system->Version();
    EXPECT_EQ(v.reportedMajor * 10 + v.reportedMinor, 62);
    Bench win81("windows 8.1\n");
    EXPECT_EQ(win81.host.system->Version().reportedMinor, 2);
    EXPECT_EQ(win81.host.system->Version().blockMinor, 3);
    EXPECT_EQ(win7.host.system->Version().reportedMinor, 1);
}

// The hosted adapter's record carries its interface index and DHCP flag, and the
// flag follows the static address the start procedure gives it.
TEST(AdapterPort, RecordsCarryIndexAndDhcpFlag) {
    Bench b(
        "connection 本地连接 index=10 dhcp=no address=10.0.0.2/8\n"
        "connection 无线网络连接 kind=wifi index=11\n"
        "hosted \"无线网络连接 2\" index=26\n");
    b.Run(kConfigure);
    const auto record = [&](const std::string& name) {
        std::vector<AdapterInfo> adapters;
        EXPECT_TRUE(b.host.adapters->Adapters(adapters));
        for (const auto& a : adapters) {
            if (b.host.adapters->ConnectionName(a.adapterName) == name)
                return a;
        }
        ADD_FAILURE() << "no adapter for " << name;
        return AdapterInfo{};
    };
    EXPECT_EQ(record("本地连接").index, 10);
    EXPECT_FALSE(record("本地连接").dhcpEnabled);
    EXPECT_EQ(record("无线网络连接").index, 11);
    EXPECT_TRUE(record("无线网络连接").dhcpEnabled);
    EXPECT_EQ(record("无线网络连接 2").index, 26);
    EXPECT_TRUE(record("无线网络连接 2").dhcpEnabled);
    b.Run(
        "netsh interface ip set address name=\"无线网络连接 2\" source=static addr=192.168.137.1 "
        "mask=255.255.255.0 gwmetric=1");
    EXPECT_FALSE(record("无线网络连接 2").dhcpEnabled);
}

TEST(SystemPort, ElevationIsWhatTheAdminLineSays) {
    Bench admin;
    EXPECT_TRUE(admin.host.system->ProcessElevation() == Elevation::Elevated);
    Bench plain("admin no\n");
    EXPECT_TRUE(plain.host.system->ProcessElevation() == Elevation::NotElevated);
}

HostedNetworkStatus WlanStatus(Bench& b) {
    HostedNetworkStatus status;
    EXPECT_TRUE(b.host.wireless->HostedNetwork(status));
    return status;
}

// The wireless service's view follows the commands: unavailable until allowed,
// idle, active with its peers, idle again after the stop; the virtual adapter's
// GUID is the hosted adapter's in the adapter list.
TEST(WirelessPort, StateAdapterAndPeersFollowTheHostedNetwork) {
    Bench b;
    EXPECT_TRUE(WlanStatus(b).state == HostedNetworkState::Unavailable);
    EXPECT_EQ(WlanStatus(b).deviceGuid, "");
    b.Run(kConfigure);
    HostedNetworkStatus status = WlanStatus(b);
    EXPECT_TRUE(status.state == HostedNetworkState::Idle);
    std::vector<AdapterInfo> adapters;
    ASSERT_TRUE(b.host.adapters->Adapters(adapters));
    std::string hostedGuid;
    for (const auto& a : adapters) {
        if (b.host.adapters->ConnectionName(a.adapterName) == "无线网络连接 2")
            hostedGuid = a.adapterName;
    }
    EXPECT_EQ(status.deviceGuid, hostedGuid);
    EXPECT_FALSE(hostedGuid.empty());

    b.Run("netsh wlan start hostednetwork");
    b.host.sharing->EnableSharing("无线网络连接 2", SharingType::Private);
    b.At(30);  // two of the three phones have joined
    status = WlanStatus(b);
    EXPECT_TRUE(status.state == HostedNetworkState::Active);
    EXPECT_EQ(status.peers, (std::vector<std::string>{"A4-5E-60-C1-22-33", "3C-15-C2-9A-8B-01"}));
    b.laptop->Change([](LaptopModel& m) { m.radioOn = false; });
    EXPECT_TRUE(WlanStatus(b).state == HostedNetworkState::Unavailable);
    EXPECT_TRUE(WlanStatus(b).peers.empty());
    b.laptop->Change([](LaptopModel& m) { m.radioOn = true; });
    b.Run("netsh wlan stop hostednetwork");
    status = WlanStatus(b);
    EXPECT_TRUE(status.state == HostedNetworkState::Idle);
    EXPECT_TRUE(status.peers.empty());
}

TEST(WirelessPort, FailsWithoutTheApiAndIsUnavailableWithoutHostingDriver) {
    Bench missing("wlan_api no\n");
    missing.Run(kConfigure);
    HostedNetworkStatus status;
    status.deviceGuid = "not cleared";
    EXPECT_FALSE(missing.host.wireless->HostedNetwork(status));
    EXPECT_EQ(status.deviceGuid, "");
    Bench unsupported("hosted_network unsupported\n");
    unsupported.Run(kConfigure);
    unsupported.Run("netsh wlan start hostednetwork");
    EXPECT_TRUE(WlanStatus(unsupported).state == HostedNetworkState::Unavailable);
}

TEST(InterfacePort, RowsAreSortedByIndexAndHoldTheHostedAdapter) {
    Bench b;
    b.Run(kConfigure);
    std::vector<InterfaceRow> rows;
    ASSERT_TRUE(b.host.interfaces->Rows(rows));
    std::vector<uint32_t> indexes;
    for (const auto& r : rows)
        indexes.push_back(r.index);
    EXPECT_EQ(indexes, (std::vector<uint32_t>{1, 10, 11, 12, 13, 26}));
    EXPECT_EQ(rows.back().description, "Microsoft Virtual WiFi Miniport Adapter");
    EXPECT_EQ(rows[2].inOctets, 734003200u);  // the upstream's counters from the scenario
}

TEST(InternetPort, ReportsLanForLocalNetworksAndTheEntryNameForDialUp) {
    Bench lan;
    InternetState s = lan.host.internet->Query();
    EXPECT_TRUE(s.connected);
    EXPECT_EQ(s.name, "LAN 连接");
    EXPECT_TRUE(s.flags & 0x02);
    Bench ppp("upstream 宽带连接\nconnection 宽带连接 kind=ppp status=2 address=10.1.2.3/32\n");
    s = ppp.host.internet->Query();
    EXPECT_TRUE(s.connected);
    EXPECT_EQ(s.name, "宽带连接");
    Bench offline("connection 本地连接 status=7\n");
    s = offline.host.internet->Query();
    EXPECT_FALSE(s.connected);
    EXPECT_EQ(s.name, "");
}

TEST(ServicePort, QueriesChangesAndStartsServices) {
    Bench b("service SharedAccess start=2 state=1\nservice Broken start=3 state=1 fails=yes\n");
    ServiceStatus s;
    ASSERT_TRUE(b.host.services->Query("SharedAccess", s));
    EXPECT_EQ(s.startType, 2);
    EXPECT_TRUE(b.host.services->SetStartType("SharedAccess", 3));
    ASSERT_TRUE(b.host.services->Query("SharedAccess", s));
    EXPECT_EQ(s.startType, 3);
    ASSERT_TRUE(b.host.services->Query("MpsSvc", s));
    EXPECT_EQ(s.currentState, 4);
    EXPECT_FALSE(b.host.services->Start("MpsSvc"));  // already running
    EXPECT_TRUE(b.host.services->Start("SharedAccess"));
    EXPECT_FALSE(b.host.services->Start("Broken"));
    EXPECT_FALSE(b.host.services->Query("NoSuchService", s));
    EXPECT_TRUE(b.host.services->SetStartType("MpsSvc", 4));
    EXPECT_TRUE(b.laptop->Snapshot().services["MpsSvc"].status.startType == 4);
}

TEST(HttpPort, ServesScenarioPagesInGbkAndRecordsEveryRequest) {
    Bench b;
    const HttpResponse page =
        b.host.http->Get("http://update.invalid/rjgx/lanz/lanzgx.html", nullptr);
    EXPECT_EQ(page.status, 200);
    const std::string text = b.codec->GbkToUtf8(page.body);
    EXPECT_NE(text.find("【版本开始】1.0【版本结束】"), std::string::npos);
    EXPECT_NE(page.body, text);  // the body is GBK, not UTF-8
    EXPECT_EQ(b.host.http->Get("http://update.invalid/nothing.html", nullptr).status, 404);
    b.host.http->Get("http://update.invalid/rjgx/lanz/tongji.html", nullptr);
    const auto requests = b.laptop->Snapshot().httpRequests;
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[2], "http://update.invalid/rjgx/lanz/tongji.html");
    StopSignal stop;
    stop.Request();
    EXPECT_EQ(b.host.http->Get("http://update.invalid/rjgx/lanz/lanzgx.html", &stop).status, 0);
}

TEST(ShellAndPowerPorts, RecordRequestsWithoutCarryingThemOut) {
    Bench b;
    EXPECT_TRUE(b.host.shell->OpenUrl("http://127.0.0.1/tulawifi.exe"));
    EXPECT_TRUE(b.host.shell->StartDetached("control.exe ncpa.cpl"));
    EXPECT_TRUE(b.host.power->Shutdown());
    const LaptopModel m = b.laptop->Snapshot();
    EXPECT_EQ(m.openedUrls, std::vector<std::string>{"http://127.0.0.1/tulawifi.exe"});
    EXPECT_EQ(m.startedPrograms, std::vector<std::string>{"control.exe ncpa.cpl"});
    EXPECT_EQ(m.shutdownRequests, 1);
}

TEST(ProbePort, PhonesAnswerAndHaveSharingNamesTheSilentOneCostsItsTimeLimit) {
    Bench b;
    b.Run(kConfigure);
    b.host.sharing->EnableSharing("无线网络连接 2", SharingType::Private);
    b.Run("netsh wlan start hostednetwork");
    b.Run(
        "netsh interface ip set address name=\"无线网络连接 2\" source=static addr=192.168.137.1 "
        "mask=255.255.255.0 gwmetric=1");
    b.At(50);
    EXPECT_TRUE(b.host.network->Ping("192.168.137.61", 3000, nullptr));
    EXPECT_EQ(b.host.network->HostName("192.168.137.61"), "iPhone.mshome.net");
    EXPECT_TRUE(b.host.network->Ping("192.168.1.1", 3000, nullptr));
    EXPECT_EQ(b.host.network->HostName("192.168.1.1"), "router.home");
    b.clock.ClearPauses();
    EXPECT_FALSE(b.host.network->Ping("192.168.137.140", 3000, nullptr));
    EXPECT_EQ(b.clock.Pauses(), std::vector<int64_t>{3000});
    EXPECT_EQ(b.host.network->HostName("192.168.137.140"), "");
    StopSignal stop;
    stop.Request();
    EXPECT_FALSE(b.host.network->Ping("192.168.137.61", 3000, &stop));
}

TEST(CommandPort, StopRequestedReturnsNothingAndRunsNothing) {
    Bench b;
    StopSignal stop;
    stop.Request();
    std::string output = "not cleared";
    EXPECT_TRUE(b.host.commands->Run(kConfigure, &stop, output));
    EXPECT_EQ(output, "");
    EXPECT_FALSE(b.laptop->Snapshot().hosted.allowed);
    EXPECT_TRUE(b.host.clock == &b.clock);
    EXPECT_TRUE(b.host.files == &b.files);
}

// The Windows 11 laptop's Mobile Hotspot: the system shares the upstream itself, its
// virtual adapter holds the sharing address, the phones come by the timeline, and
// the system switches an idle hotspot off unless asked to keep it on.
TEST(TetheringPort, SharesItselfListsThePhonesAndSwitchesOffWhenIdle) {
    Bench b(SimulatedLaptop::BuiltInScenario("windows11"));
    ASSERT_TRUE(b.host.tethering != nullptr);
    EXPECT_TRUE(b.host.wireless->DriverHosting() == HostingSupport::Unsupported);
    EXPECT_EQ(b.host.system->Version().realBuild, 22631);
    TetheringInfo info;
    ASSERT_TRUE(b.host.tethering->Query("", info).Succeeded());
    EXPECT_EQ(info.state, 2);
    EXPECT_EQ(info.maxClientCount, 8u);

    EXPECT_EQ(b.host.tethering->Configure("", "热点 1", "1234567", nullptr).code, 0x80070057u);
    ASSERT_TRUE(b.host.tethering->Configure("", "热点 1", "12345678", nullptr).Succeeded());
    ASSERT_TRUE(b.host.tethering->Start("", nullptr).Succeeded());
    EXPECT_EQ(ConnectionOfDescription(b, "Microsoft Wi-Fi Direct Virtual Adapter #2"),
              "本地连接* 10");
    std::vector<AdapterInfo> adapters;
    ASSERT_TRUE(b.host.adapters->Adapters(adapters));
    const auto hotspot = std::find_if(adapters.begin(), adapters.end(), [](const AdapterInfo& a) {
        return a.ipv4 == std::vector<std::string>{"192.168.137.1"};
    });
    ASSERT_TRUE(hotspot != adapters.end());
    EXPECT_EQ(hotspot->index, 21);

    b.At(60);
    std::vector<TetheringClient> clients;
    ASSERT_TRUE(b.host.tethering->Clients(clients).Succeeded());
    ASSERT_EQ(clients.size(), 3u);
    EXPECT_EQ(clients[1].macAddress, "3c:15:c2:9a:8b:01");
    EXPECT_EQ(clients[1].hostNames, (std::vector<std::string>{"192.168.137.61", "iPhone"}));
    std::vector<InterfaceRow> rows;
    ASSERT_TRUE(b.host.interfaces->Rows(rows));
    const auto row =
        std::find_if(rows.begin(), rows.end(), [](const InterfaceRow& r) { return r.index == 21; });
    ASSERT_TRUE(row != rows.end());
    EXPECT_GT(row->outOctets64, 0u);  // the phones' downloads go out of the hotspot

    // The phones never leave; once they do, 300 s of no device end it.
    b.laptop->Change([](LaptopModel& m) {
        for (auto& d : m.devices)
            d.leaveMs = 100000;
    });
    b.At(399);
    ASSERT_TRUE(b.host.tethering->Query("", info).Succeeded());
    EXPECT_EQ(info.state, 1);
    EXPECT_EQ(info.clientCount, 0u);
    b.At(400);
    ASSERT_TRUE(b.host.tethering->Query("", info).Succeeded());
    EXPECT_EQ(info.state, 2);

    // Kept on, it stays on without devices.
    ASSERT_TRUE(b.host.tethering->Start("", nullptr).Succeeded());
    ASSERT_TRUE(b.host.tethering->KeepOnWithoutClients().Succeeded());
    b.At(2000);
    ASSERT_TRUE(b.host.tethering->Query("", info).Succeeded());
    EXPECT_EQ(info.state, 1);
    EXPECT_EQ(
        b.laptop->Snapshot().mobile.calls,
        (std::vector<std::string>{"configure 热点 1", "start WLAN", "start WLAN", "keep on"}));
}

TEST(TetheringPort, AnswersAsTheSystemDoesWhenItCannotStart) {
    Bench off(
        "windows 11\nhosted_network unsupported\nradio off\nconnection WLAN kind=wifi\n"
        "connection 以太网 kind=ethernet status=2 address=192.168.0.5/24\n");
    EXPECT_EQ(off.host.tethering->Start("", nullptr).status, 3);  // WiFiDeviceOff

    Bench seven;  // Windows 7 has no Mobile Hotspot
    TetheringInfo info;
    const TetheringAnswer none = seven.host.tethering->Query("", info);
    EXPECT_TRUE(none.failure == TetheringFailure::Unavailable);
    EXPECT_EQ(none.code, 0x80040154u);

    Bench limited(
        "windows 10\nhosted_network unsupported\nmobile_hotspot off-after 30\nmax_clients 2\n"
        "device 02:00:00:00:00:01 join=1\ndevice 02:00:00:00:00:02 join=2\n"
        "device 02:00:00:00:00:03 join=3\n");
    ASSERT_TRUE(limited.host.tethering->Start("", nullptr).Succeeded());
    ASSERT_TRUE(limited.host.tethering->KeepOnWithoutClients().Succeeded());
    limited.At(10);
    std::vector<TetheringClient> clients;
    ASSERT_TRUE(limited.host.tethering->Clients(clients).Succeeded());
    EXPECT_EQ(clients.size(), 2u);
    limited.At(30);
    ASSERT_TRUE(limited.host.tethering->Query("", info).Succeeded());
    EXPECT_EQ(info.state, 2);  // switched off by the system despite the keep-on request
}

}  // namespace
}  // namespace hs::sim::testing
