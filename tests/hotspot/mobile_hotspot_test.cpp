// The Mobile Hotspot of Windows 10 and 11 on the simulated laptop: which way the start
// takes, a start with its phones, blacklist and traffic, the system's own switch-off, a
// refused start, one already on when the program starts, names and keys it cannot take,
// and the hardware addresses the system writes in its own form.
#include <algorithm>

#include "app/clients_view.h"
#include "app/traffic_view.h"
#include "backend/backend_choice.h"
#include "backend/hardware_address.h"
#include "backend/mobile_hotspot.h"
#include "backend/tethering_words.h"
#include "hotspot/start_sharing.h"
#include "hotspot/stop_sharing.h"
#include "settings/keys.h"
#include "tests/hotspot/hotspot_support.h"

namespace hs::hotspot::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using backend::BackendKind;

// As "arp -a" prints them, named from their host names.
const Rows kThreePhones = {{"1", "192.168.137.23", "a4-5e-60-c1-22-33", "安卓设备"},
                           {"2", "192.168.137.61", "3c-15-c2-9a-8b-01", "苹果设备"},
                           {"3", "192.168.137.140", "f0-db-e2-44-10-7e", "HUAWEI-P30"}};

std::string Windows11(const std::string& extra = "") {
    return sim::SimulatedLaptop::BuiltInScenario("windows11") + extra;
}

struct MobileProgram : Program {
    explicit MobileProgram(const std::string& scenario = Windows11()) : Program(scenario) {
        Idle(6, "WLAN");
        C("单选框监控").SetChecked(true);
        app->Main().AddObserver([this](ui::Control control, ui::Property property) {
            if (property == ui::Property::TrayBalloon)
                notices.push_back(control.Owner().TrayBalloonText());
        });
    }
    // One tick of the client list's timer and what its pass found.
    void Tick() {
        driver->AdvanceTimers(10000);
        app->Settle();
    }
    Rows List() { return C("超级列表框1").Rows(); }
    std::vector<std::string> Calls() { return laptop->Snapshot().mobile.calls; }
    bool MobileOn() { return laptop->Snapshot().mobile.on; }
    BackendKind Decide() {
        return OnWorker([this] {
            return backend::DecideBackend(host,
                                          settings::ReadSetting(host, settings::kHotspotBackend));
        });
    }
    bool Ran(const std::string& prefix) {
        const std::vector<std::string> all = Commands();
        return std::any_of(all.begin(), all.end(),
                           [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    }

    std::vector<std::string> notices;
};

TEST(MobileHotspot, AStartListsTheThreePhonesBlocksOneAndCountsTheirTraffic) {
    MobileProgram p;
    p.PressStart();
    ASSERT_TRUE(p.Session().sharingCompleted);
    // The system's hotspot took the name and key, shares the chosen upstream itself and
    // was asked to stay on without devices; no hosted network, no sharing of our own.
    EXPECT_EQ(p.Calls(), (std::vector<std::string>{"configure mylove", "start WLAN", "keep on"}));
    EXPECT_FALSE(p.Ran("netsh wlan start hostednetwork"));
    EXPECT_FALSE(p.Ran("netsh interface ip set address"));
    EXPECT_EQ(p.C("标签9").Text(), "已启动");
    EXPECT_EQ(p.C("按钮开始").Text(), "关闭共享");
    EXPECT_TRUE(p.C("标签启动成功").Visible());
    EXPECT_TRUE(p.messages.empty());
    // Its adapter found by its address, whatever its connection is called now.
    EXPECT_EQ(p.Session().hostedName, "本地连接* 10");
    EXPECT_EQ(p.Session().hostedInterfaceNumber, 21);
    EXPECT_EQ(p.Session().ssid, "mylove");

    p.clock.Advance(60000);
    p.Tick();
    EXPECT_EQ(p.List(), kThreePhones);
    EXPECT_EQ(p.C("标签3").Text(), "设备总数[3]");
    EXPECT_EQ(p.C("透明标签3").Text(), "最多8台设备   右键拉黑   双击改备注");
    EXPECT_EQ(p.notices, (std::vector<std::string>{"3 台新设备连上了热点"}));

    const std::string tableBeforeTheBlock = p.laptop->RunBytes("arp -a");

    // Blacklisting the iPhone cuts it off on the hotspot's interface.
    ASSERT_TRUE(p.driver->RightClickRow("超级列表框1", 1));
    ASSERT_TRUE(p.driver->Choose("拉入黑名单"));
    p.app->Settle();
    EXPECT_TRUE(p.Ran("netsh interface ipv4 set neighbors 21 \"192.168.137.61\""));
    p.Tick();
    EXPECT_EQ(p.List(),
              (Rows{kThreePhones[0], {"2", "192.168.137.140", "f0-db-e2-44-10-7e", "HUAWEI-P30"}}));
    EXPECT_EQ(p.C("透明标签3").Text(), "最多8台设备   右键拉黑   双击改备注");

    // A system that does not take the entry still shows the iPhone's own address: the
    // hint says so instead of pretending it is cut off.
    p.laptop->Change([&](sim::LaptopModel& m) { m.replies["arp -a"] = tableBeforeTheBlock; });
    p.Tick();
    EXPECT_EQ(p.C("透明标签3").Text(), "系统不接受拉黑，黑名单设备仍能上网");
    p.laptop->Change([](sim::LaptopModel& m) { m.replies.erase("arp -a"); });

    // The session's traffic is the hotspot adapter's: the Android phone alone downloads
    // 180 KB a second from 12 s on.
    ASSERT_TRUE(p.driver->ChangePage("选择夹1", 3));
    p.clock.Advance(3000);
    p.driver->AdvanceTimers(3000);
    p.app->Settle();
    const uint64_t down = p.app->Traffic().Meter().DownloadBytes();
    EXPECT_GT(down, 180u * 1024u * 40u);

    // The stop button ends the Mobile Hotspot.
    p.PressStart();
    EXPECT_FALSE(p.MobileOn());
    EXPECT_EQ(p.Calls().back(), "stop");
    EXPECT_EQ(p.C("标签9").Text(), "未启动");
    EXPECT_EQ(p.C("透明标签3").Text(), clients::kListHint);
}

TEST(MobileHotspot, ASwitchOffByTheSystemIsNoticedByTheNextPass) {
    MobileProgram p(Windows11("mobile_hotspot off-after 100\nmax_clients 10\n"));
    p.PressStart();
    ASSERT_EQ(p.C("标签9").Text(), "已启动");
    p.clock.Advance(60000);
    p.Tick();
    EXPECT_EQ(p.C("透明标签3").Text(), "最多10台设备   右键拉黑   双击改备注");
    p.notices.clear();

    p.clock.Advance(50000);
    ASSERT_FALSE(p.MobileOn());
    p.Tick();
    EXPECT_EQ(p.C("标签9").Text(), "未启动");
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_TRUE(p.List().empty());
    EXPECT_EQ(p.C("时钟循环列表").Interval(), 0);
    EXPECT_EQ(p.notices, (std::vector<std::string>{kSwitchedOffBySystemText}));
    EXPECT_EQ(p.Session().phase, Phase::Idle);

    // It starts again from the idle window.
    p.PressStart();
    EXPECT_EQ(p.C("标签9").Text(), "已启动");
    EXPECT_TRUE(p.MobileOn());
}

TEST(MobileHotspot, ARadioThatIsOffRefusesTheStartInWordsAUserUnderstands) {
    MobileProgram p(Windows11("radio off\n"));
    p.PressStart();
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].caption, "开启失败");
    EXPECT_EQ(p.messages[0].text.rfind(
                  "开启失败！无线网卡已关闭，或者这块无线网卡不支持开启移动热点。", 0),
              0u)
        << p.messages[0].text;
    EXPECT_EQ(p.C("标签9").Text(), "未启动");
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_EQ(p.Session().phase, Phase::Idle);
    EXPECT_FALSE(p.MobileOn());
}

TEST(MobileHotspot, OneAlreadyOnAtStartUpIsShownRunningAndTheStopButtonEndsIt) {
    MobileProgram p;
    p.laptop->Change([](sim::LaptopModel& m) { m.SwitchMobile(true, "WLAN"); });
    p.Prepare();
    // Its sharing was left alone: it is still on, shown running, its devices listed.
    EXPECT_TRUE(p.MobileOn());
    EXPECT_EQ(p.C("标签9").Text(), "已启动");
    EXPECT_EQ(p.C("按钮开始").Text(), "关闭共享");
    EXPECT_EQ(p.Session().hostedInterfaceNumber, 21);
    p.clock.Advance(60000);
    p.Tick();
    EXPECT_EQ(p.List().size(), 3u);

    p.PressStart();
    EXPECT_FALSE(p.MobileOn());
    EXPECT_EQ(p.C("标签9").Text(), "未启动");
    EXPECT_TRUE(p.messages.empty());
}

TEST(MobileHotspot, NamesAndKeysItCannotTakeAreRefusedAndNothingIsSaved) {
    MobileProgram p;
    // 11 Chinese characters: 22 bytes for the Hosted Network, 33 in UTF-8.
    const std::string longName = "无线热点无线热点无线热";
    for (const auto& [name, key] :
         std::vector<std::pair<std::string, std::string>>{{longName, "5802741639"},
                                                          {std::string(33, 'a'), "5802741639"},
                                                          {"mylove", "1234567"},
                                                          {"mylove", std::string(64, 'k')}}) {
        p.Idle(6, "WLAN", name, key);
        p.PressStart();
        EXPECT_EQ(p.C("按钮开始").Text(), "开启共享") << name;
        EXPECT_EQ(p.Session().phase, Phase::Idle) << name;
    }
    EXPECT_TRUE(p.Calls().empty());
    EXPECT_EQ(settings::ReadSetting(p.host, settings::kSsid), "mylove");
    EXPECT_EQ(settings::ReadSetting(p.host, settings::kKey), "");

    // The backend itself passes nothing on either.
    backend::MobileHotspot mobile(p.host);
    const backend::Step step = p.OnWorker([&] { return mobile.Configure(longName, "5802741639"); });
    EXPECT_EQ(step.result, backend::StepResult::Refused);
    EXPECT_EQ(step.output, "WiFi名称要有1到32个字节（一个汉字占3个字节），请改短一些。");
    EXPECT_EQ(p.OnWorker([&] { return mobile.Configure("mylove", std::string(64, 'k')); }).result,
              backend::StepResult::Refused);
    EXPECT_TRUE(p.Calls().empty());
}

TEST(MobileHotspot, HardwareAddressesComeInTheDashFormWhateverTheSystemWrites) {
    using backend::NormalizeHardwareAddress;
    for (const char* text :
         {"a4:5e:60:c1:22:33", "A4-5E-60-C1-22-33", "a45e60c12233", " a4-5E:60-c1:22:33 "})
        EXPECT_EQ(NormalizeHardwareAddress(text), "A4-5E-60-C1-22-33") << text;
    EXPECT_EQ(NormalizeHardwareAddress("4:5e:0:c1:2:3"), "04-5E-00-C1-02-03");
    for (const char* text :
         {"", "a4:5e:60:c1:22", "a4:5e:60:c1:22:33:44", "a45e60c122", "a4::5e:60:c1:22",
          "g4:5e:60:c1:22:33", "a45:e6:0c:12:23:3", "192.168.137.23"})
        EXPECT_EQ(NormalizeHardwareAddress(text), std::nullopt) << text;
}

TEST(MobileHotspot, TheChoiceOfWayFollowsTheDriverTheSystemAndTheSetting) {
    // A driver that can host: the Hosted Network, as before.
    EXPECT_EQ(MobileProgram(Windows11("hosted_network supported\n")).Decide(),
              BackendKind::HostedNetwork);
    EXPECT_EQ(MobileProgram(sim::SimulatedLaptop::DefaultScenario()).Decide(),
              BackendKind::HostedNetwork);
    {
        MobileProgram p;
        EXPECT_EQ(p.Decide(), BackendKind::MobileHotspot);
        settings::WriteSetting(p.host, settings::kHotspotBackend, "hosted");
        EXPECT_EQ(p.Decide(), BackendKind::HostedNetwork);
    }
    {
        MobileProgram p(Windows11("hosted_network supported\n"));
        settings::WriteSetting(p.host, settings::kHotspotBackend, "mobile");
        EXPECT_EQ(p.Decide(), BackendKind::MobileHotspot);
    }
    // Windows 10 before 1607 has no Mobile Hotspot, whatever the port says.
    backend::BackendFacts facts;
    facts.driverHosting = HostingSupport::Unsupported;
    facts.tetheringPresent = facts.tetheringAvailable = true;
    facts.version.realMajor = 10;
    facts.version.realBuild = 10586;
    EXPECT_EQ(backend::ChooseBackend(backend::BackendPreference::Automatic, facts),
              BackendKind::HostedNetwork);
    facts.version.realBuild = 14393;
    EXPECT_EQ(backend::ChooseBackend(backend::BackendPreference::Automatic, facts),
              BackendKind::MobileHotspot);

    // Neither: the Hosted Network's start fails with its help.
    MobileProgram p(Windows11("mobile_hotspot unavailable\n"));
    EXPECT_EQ(p.Decide(), BackendKind::HostedNetwork);
    p.PressStart();
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].caption, "开启失败");
    EXPECT_NE(p.messages[0].text.find(kStartFailureHelp), std::string::npos);
    EXPECT_EQ(p.C("标签9").Text(), "未启动");

    // Forced onto a system without it: one box that says so, no failed switch-off after it.
    MobileProgram forced(Windows11("mobile_hotspot unavailable\n"));
    settings::WriteSetting(forced.host, settings::kHotspotBackend, "mobile");
    forced.PressStart();
    ASSERT_EQ(forced.messages.size(), 1u);
    EXPECT_EQ(forced.messages[0].caption, "开启失败");
    EXPECT_NE(forced.messages[0].text.find("没有可用的“移动热点”功能"), std::string::npos);
    EXPECT_EQ(forced.Session().phase, Phase::Idle);
    // A 32-bit program on 64-bit Windows is sent to the 64-bit one.
    TetheringAnswer unavailable;
    unavailable.failure = TetheringFailure::Unavailable;
    unavailable.code = backend::kClassNotRegistered;
    const std::string words = backend::TetheringWords(unavailable, true);
    EXPECT_NE(words.find("没有可用的“移动热点”功能（系统错误代码：0x80040154）"),
              std::string::npos);
    EXPECT_NE(words.find("64 位版本"), std::string::npos);
    EXPECT_EQ(backend::TetheringWords(unavailable, false).find("64 位版本"), std::string::npos);
}

}  // namespace
}  // namespace hs::hotspot::testing
