// Starting and stopping the hotspot on the simulated laptop: the command lines and
// pauses in order, the window's states, and the refusals before anything changes.
#include "hotspot/start_sharing.h"

#include "hotspot/stop_sharing.h"
#include "settings/settings_file.h"
#include "sys/text.h"
#include "tests/hotspot/hotspot_support.h"

namespace hs::hotspot::testing {
namespace {

using Commands = std::vector<std::string>;
using Pauses = std::vector<int64_t>;

constexpr const char* kWindows7 = R"(windows 7
upstream 无线网络连接
page /rjgx/lanz/tongji.html ok
)";
constexpr const char* kWindows7Static = R"(windows 7
upstream 无线网络连接
hosted "无线网络连接 2" index=26 dhcp=no
)";
constexpr const char* kWindows8 = R"(windows 8
upstream Wi-Fi
)";
constexpr const char* kWindows8Static = R"(windows 8
upstream Wi-Fi
hosted "本地连接* 12" index=14 dhcp=no
)";

void ExpectSharingState(Program& p) {
    EXPECT_EQ(p.C("按钮开始").Text(), "关闭共享");
    EXPECT_TRUE(p.C("按钮开始").Enabled());
    EXPECT_FALSE(p.C("编辑框名称").Enabled());
    EXPECT_FALSE(p.C("编辑框密码").Enabled());
    EXPECT_FALSE(p.C("组合框1").Enabled());
    EXPECT_EQ(p.C("标签9").Text(), "已启动");
    EXPECT_EQ(p.C("标签9").TextColour(), (ui::Colour{0, 128, 0}));
    EXPECT_EQ(p.C("图片框状态").Picture(), ui::kPictureStatusRunning);
    EXPECT_EQ(p.C("时钟状态").Interval(), 0);
    EXPECT_EQ(p.app->Main().TrayPicture(), ui::kPictureTrayRunning);
    EXPECT_EQ(p.app->Main().TrayTip(), "已开启共享");
    EXPECT_EQ(p.C("时钟流量条延时").Interval(), 1000);
    EXPECT_TRUE(p.Session().sharingCompleted);
}

void ExpectIdleUntouched(Program& p) {
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_TRUE(p.C("按钮开始").Enabled());
    EXPECT_EQ(p.C("时钟状态").Interval(), 0);
    EXPECT_TRUE(p.Commands().empty());
    EXPECT_TRUE(p.Pauses().empty());
}

TEST(StartSharing, Windows7WithTheStaticAddressStep) {
    Program p(kWindows7);
    p.Idle(5, "无线网络连接");
    p.PressStart();
    EXPECT_EQ(p.Commands(),
              (Commands{kDisallow, Configure("mylove", "5802741639"), kStart, kAddresses,
                        StaticAddress("无线网络连接 2"), kStop, kStart, kOffload}));
    EXPECT_EQ(p.Pauses(), (Pauses{300, 300, 500, 1000, 800, 1000, 3000, 5000}));
    ExpectSharingState(p);
    EXPECT_EQ(p.C("编辑框虚拟网卡").Text(), "无线网络连接 2");
    // Interface 26 is far past the table's row count; its row is found by its index.
    const hotspot::Session s = p.Session();
    EXPECT_EQ(s.hostedInterfaceIndex, "26");
    EXPECT_EQ(s.hostedInterfaceNumber, 26);
    EXPECT_TRUE(s.baselines.has_value());
    EXPECT_TRUE(p.C("标签启动成功").Visible());
    EXPECT_EQ(p.C("时钟启动成功提示").Interval(), 5000);
    EXPECT_EQ(p.C("时钟循环列表").Interval(), 0);  // monitoring is off in a bare window
    EXPECT_TRUE(p.messages.empty());
    const sim::LaptopModel m = p.laptop->Snapshot();
    EXPECT_TRUE(m.hosted.started);
    EXPECT_EQ(m.hosted.ssid, "mylove");
    EXPECT_EQ(m.httpRequests,
              (Commands{"http://update.lanzhou-wifi.example/rjgx/lanz/tongji.html"}));
    EXPECT_EQ(settings::ReadSetting(p.host, "user", "ssid", ""), "mylove");
    EXPECT_EQ(settings::ReadSetting(p.host, "user", "key", ""), "5802741639");
}

TEST(StartSharing, Windows7AdapterAlreadyStaticSkipsTheRestart) {
    Program p(kWindows7Static);
    p.Idle(5, "无线网络连接");
    p.C("单选框监控").SetChecked(true);
    p.PressStart();
    EXPECT_EQ(p.Commands(), (Commands{kDisallow, Configure("mylove", "5802741639"), kStart,
                                      kAddresses, kOffload}));
    EXPECT_EQ(p.Pauses(), (Pauses{300, 300, 500, 1000, 800, 5000}));
    ExpectSharingState(p);
    EXPECT_EQ(p.C("时钟循环列表").Interval(), 10000);
}

TEST(StartSharing, Windows8WithTheStaticAddressStepAndAnAsteriskInTheName) {
    Program p(kWindows8);
    p.Idle(6, "Wi-Fi");
    p.PressStart();
    EXPECT_EQ(p.Commands(),
              (Commands{kDisallow, Configure("mylove", "5802741639"), kStart, kAddresses,
                        StaticAddress("本地连接* 12"), kStart, kOffload}));
    EXPECT_EQ(p.Pauses(), (Pauses{300, 300, 500, 1000, 1000, 1000, 1000, 5000}));
    ExpectSharingState(p);
    EXPECT_EQ(p.C("编辑框虚拟网卡").Text(), "本地连接* 12");
    // The offload header "接口 14: 本地连接* 12" is found through the escaped asterisk.
    const hotspot::Session s = p.Session();
    EXPECT_EQ(s.hostedInterfaceIndex, "14");
    EXPECT_EQ(s.hostedInterfaceNumber, 14);
}

TEST(StartSharing, TheBaselinesComeFromTheRowWithTheHostedIndex) {
    Program p(R"(windows 7
upstream 无线网络连接
hosted "无线网络连接 2" index=2 dhcp=no in=5000 out=7000
)");
    p.Idle(5, "无线网络连接");
    p.PressStart();
    const hotspot::Session s = p.Session();
    EXPECT_EQ(s.hostedInterfaceIndex, "2");
    ASSERT_TRUE(s.baselines.has_value());
    EXPECT_EQ(s.baselines->received, 5000u);
    EXPECT_EQ(s.baselines->sent, 7000u);
}

TEST(StartSharing, Windows8AdapterAlreadyStatic) {
    Program p(kWindows8Static);
    p.Idle(6, "Wi-Fi");
    p.PressStart();
    EXPECT_EQ(p.Commands(), (Commands{kDisallow, Configure("mylove", "5802741639"), kStart,
                                      kAddresses, kOffload}));
    EXPECT_EQ(p.Pauses(), (Pauses{300, 300, 500, 1000, 1000, 5000}));
    ExpectSharingState(p);
}

TEST(StartSharing, NameAndPasswordAreRefusedBeforeAnythingChanges) {
    struct Case {
        const char* ssid;
        const char* key;
        const char* message;
        int dy;
    };
    const Case cases[] = {
        {"", "5802741639", "您还没有输入WiFi名称哦！", 90},
        {"mylove", "", "您还没有输入密码哦！", 135},
        {"mylove", "1234567", "密码不能少于8位数！", 135},
        {"my\"love", "5802741639", "WiFi名称不能包含双引号哦！", 90},
        {"mylove", "58027\"41639", "密码不能包含双引号哦！", 135},
        // 17 Chinese characters are 34 GBK bytes.
        {"一二三四五六七八九十一二三四五六七", "5802741639", "WiFi名称不能超过32个字节哦！", 90},
        {"mylove", "1234567890123456789012345678901234567890123456789012345678901234",
         "密码不能超过63位数！", 135},
        // Characters the system's ANSI code page lacks would reach the network as "?".
        {"热点\xF0\x9F\x98\x80", "5802741639", "WiFi名称不能包含“\xF0\x9F\x98\x80”哦！", 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Program p(kWindows7);
        p.app->Main().Self().Move(300, 200, 400, 300);
        p.Idle(5, "无线网络连接", c.ssid, c.key);
        p.PressStart();
        ui::Control balloon = p.C("气球提示框1");
        EXPECT_TRUE(balloon.BalloonShown());
        EXPECT_EQ(balloon.Document(), c.message);
        EXPECT_EQ(balloon.BalloonX(), 300 + 200);
        EXPECT_EQ(balloon.BalloonY(), 200 + c.dy);
        ExpectIdleUntouched(p);
    }
}

// Where non-Unicode programs run Western (code page 1252), a Chinese name would reach
// the network as question marks: it is refused, and a Western one goes through whole.
TEST(StartSharing, AWesternSystemTakesOnlyNamesItsCodePageHolds) {
    const std::string western = std::string(kWindows7) + "ansi_codepage 1252\n";
    Program p(western);
    p.Idle(5, "无线网络连接", "咖啡馆", "5802741639");
    p.PressStart();
    EXPECT_EQ(p.C("气球提示框1").Document(), "WiFi名称不能包含“咖”哦！");
    ExpectIdleUntouched(p);

    Program q(western);
    q.Idle(5, "无线网络连接", "Caf\xC3\xA9\xE2\x82\xAC", "5802741639");
    q.PressStart();
    EXPECT_FALSE(q.C("气球提示框1").BalloonShown());
    EXPECT_EQ(q.Commands()[1], Configure("Caf\xC3\xA9\xE2\x82\xAC", "5802741639"));
}

TEST(StartSharing, LimitsCountWhatReachesTheSystem) {
    // Four Chinese characters are 8 bytes; 16 Chinese characters and three removed
    // spaces are 32 bytes; 63 characters is the longest key.
    Program p(kWindows7);
    const std::string key63(63, 'k');
    p.Idle(5, "无线网络连接", "一二三四 五六七八 九十一二 三四五六", "四个汉字");
    p.PressStart();
    EXPECT_FALSE(p.C("气球提示框1").BalloonShown());
    EXPECT_EQ(p.Commands()[1], Configure("一二三四五六七八九十一二三四五六", "四个汉字"));
    EXPECT_EQ(p.C("编辑框名称").Text(), "一二三四五六七八九十一二三四五六");

    Program q(kWindows7);
    q.Idle(5, "无线网络连接", "mylove", key63);
    q.PressStart();
    EXPECT_FALSE(q.C("气球提示框1").BalloonShown());
    EXPECT_EQ(q.Commands()[1], Configure("mylove", key63));
}

TEST(StartSharing, SpacesAndEqualsSignsStayInsideTheQuotes) {
    // The first three spaces go; a fourth stays, and with it an "=", inside the quotes.
    Program p(kWindows7);
    p.Idle(5, "无线网络连接", "a b c d e=f", " pass word ");
    p.PressStart();
    EXPECT_EQ(p.C("编辑框名称").Text(), "abcd e=f");
    EXPECT_EQ(p.C("编辑框密码").Text(), "password");
    EXPECT_EQ(p.Commands()[1], Configure("abcd e=f", "password"));
    EXPECT_EQ(p.laptop->Snapshot().hosted.ssid, "abcd e=f");
}

TEST(StartSharing, WithoutAdministratorRightsTheHostedNetworkIsNeverStarted) {
    Program p("windows 7\nadmin no\nupstream 无线网络连接\n");
    p.app->Main().Self().Move(100, 50, 400, 300);
    p.Idle(5, "无线网络连接");
    p.PressStart();
    EXPECT_EQ(p.Commands(), (Commands{kDisallow, Configure("mylove", "5802741639")}));
    EXPECT_EQ(p.Pauses(), (Pauses{300}));
    ui::Control balloon = p.C("气球提示框1");
    EXPECT_EQ(balloon.Document(),
              "无法开启！共享需要管理员权限，检测到您的电脑没有管理员权限。\r\n"
              "请参照界面上的【帮助信息】设置管理权限后重新运行。");
    EXPECT_EQ(balloon.BalloonX(), 290);
    EXPECT_EQ(balloon.BalloonY(), 250);
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_TRUE(p.C("按钮开始").Enabled());
    EXPECT_EQ(p.C("时钟状态").Interval(), 0);
    EXPECT_EQ(p.C("图片框状态").Picture(), ui::kPictureStatusIdle);
    EXPECT_EQ(p.Session().startOutput, "");
}

TEST(StartSharing, AnEmptyUpstreamStopsAfterTheConfiguration) {
    Program p(kWindows7);
    p.Idle(5, "   ");
    p.PressStart();
    EXPECT_EQ(p.Commands(), (Commands{kDisallow, Configure("mylove", "5802741639")}));
    EXPECT_EQ(p.C("气球提示框1").Document(), "本机连网方式为空，请在【设置中心】选择一下！");
    EXPECT_EQ(p.C("气球提示框1").BalloonY(), p.app->Main().Self().Top() + 200);
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_TRUE(p.C("按钮开始").Enabled());
}

TEST(StartSharing, ARefusedStartShowsTheSystemsWordsAndTheHelp) {
    Program p("windows 7\nradio off\nupstream 无线网络连接\n");
    p.Idle(5, "无线网络连接");
    p.PressStart();
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].caption, "开启失败");
    EXPECT_EQ(p.messages[0].flags, 0x40);
    // The system printed "无法启动承载网络。", the reason and two line ends; the last
    // of them goes, the one before the help stays.
    EXPECT_EQ(p.messages[0].text,
              std::string(
                  "开启失败！失败类型：无法启动承载网络。\r\n连到系统上的设备没有发挥作用。\r\n") +
                  kStartFailureHelp);
    // Reset to idle: sharing off everywhere, the hosted network disallowed.
    const Commands commands = p.Commands();
    EXPECT_EQ(commands.back(), kDisallow);
    EXPECT_FALSE(p.laptop->Snapshot().hosted.allowed);
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_TRUE(p.C("按钮开始").Enabled());
    EXPECT_EQ(p.C("标签9").Text(), "未启动");
    EXPECT_EQ(p.C("图片框状态").Picture(), ui::kPictureStatusIdle);
    EXPECT_TRUE(p.C("编辑框名称").Enabled());
    EXPECT_EQ(p.Session().startOutput, "");
    EXPECT_FALSE(p.Session().sharingCompleted);
}

TEST(StartSharing, TheFailureTypeJoinsTheLinesOfTheOutput) {
    EXPECT_EQ(RemoveBlankLines("无法启动承载网络。\r\n\r\n第二行\r\n"),
              "无法启动承载网络。\r\n第二行");
}

TEST(StartSharing, TheAdapterOverrideInSettingsSectionOneWins) {
    Program p(kWindows7);
    ASSERT_TRUE(settings::WriteSetting(p.host, "1", "1", "1"));
    ASSERT_TRUE(settings::WriteSetting(p.host, "1", "2", "本地连接"));
    p.Idle(5, "无线网络连接");
    p.PressStart();
    EXPECT_EQ(p.C("编辑框虚拟网卡").Text(), "本地连接");
    const sim::LaptopModel m = p.laptop->Snapshot();
    const sim::SimConnection* wired = nullptr;
    for (const auto& c : m.connections) {
        if (c.name == "本地连接")
            wired = &c;
    }
    ASSERT_NE(wired, nullptr);
    EXPECT_TRUE(wired->sharingEnabled);
    EXPECT_EQ(wired->sharingType, SharingType::Private);
}

TEST(StartSharing, SharingThatCannotBeSwitchedOnIsToldInsteadOfSuccess) {
    Program p("windows 7\nsharing unavailable\nupstream 无线网络连接\n");
    p.Idle(5, "无线网络连接");
    p.PressStart();
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].caption, "提示");
    EXPECT_EQ(p.messages[0].flags, 0x40);
    EXPECT_EQ(p.messages[0].text, kSharingFailedText);
    EXPECT_NE(p.messages[0].text.find("【设置中心】的本机连网方式"), std::string::npos);
    // The WiFi itself runs, so the window shows it; the success message does not.
    EXPECT_EQ(p.C("按钮开始").Text(), "关闭共享");
    EXPECT_FALSE(p.C("标签启动成功").Visible());
    EXPECT_EQ(p.C("时钟启动成功提示").Interval(), 0);
}

TEST(StartSharing, TheSystemsSharingCodeIsShownAndTheNeverSharedByHandCaseSaysWhatToDo) {
    for (const char* code : {"0x80040201", "0x8007030E"}) {
        Program p("windows 7\nupstream 无线网络连接\nsharing_error " + std::string(code) + "\n");
        p.Idle(5, "无线网络连接");
        p.PressStart();
        ASSERT_EQ(p.messages.size(), 1u) << code;
        const std::string& text = p.messages[0].text;
        EXPECT_EQ(text.rfind(kSharingFailedText, 0), 0u) << code;
        EXPECT_NE(text.find(std::string("系统错误代码：") + code), std::string::npos) << text;
        EXPECT_EQ(text.find("手动开启一次") != std::string::npos, std::string(code) == "0x80040201")
            << text;
        EXPECT_EQ(p.C("按钮开始").Text(), "关闭共享");
    }
}

TEST(StartSharing, StopLeavesSharingAndAChangedUpstreamSwitchesItOffFirst) {
    Program p(kWindows7Static);
    p.Idle(5, "无线网络连接");
    p.PressStart();
    p.C("超级列表框1").InsertRow();
    size_t mark = p.Mark();
    ASSERT_TRUE(p.driver->Click("按钮开始"));
    // The stop command runs on its worker: until it ends, the button stays disabled.
    EXPECT_EQ(p.Session().phase, Phase::Stopping);
    EXPECT_FALSE(p.C("按钮开始").Enabled());
    EXPECT_EQ(p.C("标签9").Text(), "未启动");
    p.app->Settle();
    EXPECT_EQ(p.Session().phase, Phase::Idle);
    EXPECT_EQ(p.CommandsSince(mark), (Commands{kStop}));
    EXPECT_EQ(p.C("超级列表框1").RowCount(), 0);
    EXPECT_EQ(p.C("标签3").Text(), "设备总数[0]");
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_TRUE(p.C("按钮开始").Enabled());
    EXPECT_TRUE(p.C("组合框1").Enabled());
    EXPECT_TRUE(p.C("编辑框名称").Enabled());
    EXPECT_EQ(p.C("标签9").Text(), "未启动");
    EXPECT_EQ(p.app->Main().TrayTip(), "未开启共享");
    EXPECT_EQ(p.app->Main().TrayPicture(), ui::kPictureTrayIdle);
    EXPECT_FALSE(p.Session().baselines.has_value());
    // Sharing stays configured after a stop.
    sim::LaptopModel m = p.laptop->Snapshot();
    ASSERT_NE(m.Find("无线网络连接"), nullptr);
    EXPECT_TRUE(m.Find("无线网络连接")->sharingEnabled);
    EXPECT_TRUE(m.hosted.allowed);

    // Same upstream: no switch-off pass first.
    mark = p.Mark();
    p.PressStart();
    EXPECT_EQ(p.CommandsSince(mark)[0], Configure("mylove", "5802741639"));
    EXPECT_EQ(p.Pauses().front(), 300);

    // Another upstream: the switch-off pass runs first.
    ASSERT_TRUE(p.driver->Click("按钮开始"));
    p.app->Settle();
    p.C("组合框1").SetText("本地连接");
    mark = p.Mark();
    p.PressStart();
    const Commands again = p.CommandsSince(mark);
    EXPECT_EQ(again[0], kDisallow);
    EXPECT_EQ(again[1], Configure("mylove", "5802741639"));
}

TEST(StartSharing, ResetToIdleEndsARunningStartAndSwitchesSharingOff) {
    Program p(kWindows7);
    p.Idle(5, "无线网络连接");
    ASSERT_TRUE(p.driver->Click("按钮开始"));
    ResetToIdle(p.H());
    // The idle window at once; the switch-off follows on the reset worker.
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    p.app->Settle();
    EXPECT_FALSE(p.H().startTask.Running());  // ended and joined
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_TRUE(p.C("按钮开始").Enabled());
    EXPECT_EQ(p.C("标签9").Text(), "未启动");
    EXPECT_EQ(p.Commands().back(), kDisallow);
    EXPECT_FALSE(p.laptop->Snapshot().hosted.allowed);
}

TEST(StopSharing, AStopCommandThatCannotRunSaysSoAndLeavesTheRunningWindow) {
    Program p("windows 7\nupstream 无线网络连接\nunstartable \"netsh wlan stop\"\n");
    p.Idle(5, "无线网络连接");
    p.PressStart();
    ASSERT_EQ(p.C("按钮开始").Text(), "关闭共享");
    p.messages.clear();
    ASSERT_TRUE(p.driver->Click("按钮开始"));
    p.app->Settle();
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, kStopFailedText);
    EXPECT_EQ(p.Session().phase, Phase::Running);
    EXPECT_EQ(p.C("按钮开始").Text(), "关闭共享");
    EXPECT_TRUE(p.C("按钮开始").Enabled());
    EXPECT_EQ(p.C("标签9").Text(), "已启动");
    EXPECT_EQ(p.app->Main().TrayPicture(), ui::kPictureTrayRunning);
    EXPECT_TRUE(p.laptop->Snapshot().hosted.started);
}

TEST(ResetToIdle, AStartClickedDuringTheResetBeginsAfterItsSwitchOffNeverBesideIt) {
    Program p(kWindows7);
    p.Idle(5, "无线网络连接");
    p.PressStart();
    const size_t mark = p.Mark();
    ResetToIdle(p.H());
    // The button offers the next start at once.
    ASSERT_TRUE(p.driver->Click("按钮开始"));
    EXPECT_EQ(p.C("按钮开始").Text(), "启动中\r\n请稍后");
    EXPECT_FALSE(p.H().startTask.Running());
    p.app->Settle();
    const Commands after = p.CommandsSince(mark);
    // The reset's disallow first, then the start (its own switch-off pass included),
    // once.
    ASSERT_GE(after.size(), 2u);
    EXPECT_EQ(after[0], kDisallow);
    EXPECT_EQ(std::count(after.begin(), after.end(), Configure("mylove", "5802741639")), 1);
    EXPECT_EQ(p.C("按钮开始").Text(), "关闭共享");
    EXPECT_TRUE(p.laptop->Snapshot().hosted.started);
}

TEST(StatusTimers, TheAnimationCyclesFiveFramesAndTheTipHidesAfterFiveSeconds) {
    Program p(kWindows7);
    p.C("时钟状态").SetInterval(500);
    std::vector<std::string> frames;
    for (int i = 0; i < 6; ++i) {
        ASSERT_EQ(p.driver->AdvanceTimers(500), 1);
        frames.push_back(p.C("图片框状态").Picture());
    }
    const std::string f = ui::kPictureStatusFrame;
    EXPECT_EQ(frames, (Commands{f + "1", f + "2", f + "3", f + "4", f + "5", f + "1"}));

    p.C("时钟状态").SetInterval(0);
    p.C("标签启动成功").SetVisible(true);
    p.C("时钟启动成功提示").SetInterval(5000);
    p.driver->AdvanceTimers(4999);
    EXPECT_TRUE(p.C("标签启动成功").Visible());
    p.driver->AdvanceTimers(1);
    EXPECT_FALSE(p.C("标签启动成功").Visible());
    EXPECT_EQ(p.C("时钟启动成功提示").Interval(), 0);
}

}  // namespace
}  // namespace hs::hotspot::testing

namespace hs::hotspot::testing {
namespace {

// Closing the window or choosing "退出" while sharing runs leaves no sharing behind.
TEST(ExitAtOnce, SwitchesSharingOffAndEnds) {
    for (const char* how : {"close", "menu"}) {
        SCOPED_TRACE(how);
        Program p("windows 7\nupstream 无线网络连接\n");
        p.Idle(5, "无线网络连接");
        p.PressStart();
        ASSERT_EQ(p.C("按钮开始").Text(), "关闭共享");
        int shared = 0;
        for (const auto& c : p.laptop->Snapshot().connections)
            shared += c.sharingEnabled ? 1 : 0;
        ASSERT_EQ(shared, 2);

        if (std::string(how) == "close") {
            EXPECT_TRUE(p.driver->Close());
        } else {
            EXPECT_TRUE(p.driver->Choose("退出"));
        }
        p.app->Settle();
        EXPECT_EQ(p.quitCodes, std::vector<int>{0});
        EXPECT_FALSE(p.app->Main().TrayShown());
        EXPECT_FALSE(p.app->Main().Self().Visible());
        for (const auto& c : p.laptop->Snapshot().connections) {
            EXPECT_FALSE(c.sharingEnabled) << c.name;
        }
        EXPECT_FALSE(p.laptop->Snapshot().hosted.allowed);
        // Neither the start's switch-off nor the exit's asked a connection that was not
        // shared: that call crashes the sharing manager of Windows 10 1607 and later.
        EXPECT_TRUE(p.laptop->Snapshot().unsharedDisables.empty());
    }
}

}  // namespace
}  // namespace hs::hotspot::testing

namespace hs::hotspot::testing {
namespace {

TEST(StartSharing, ANetshThatCannotBeRunIsAFailedStartNotARunningHotspot) {
    Program p("windows 7\nupstream 无线网络连接\nunstartable \"netsh\"\n");
    p.Idle(5, "无线网络连接");
    p.PressStart();
    // The start failed, and so did the disallow of the switch-off after it: both told.
    ASSERT_EQ(p.messages.size(), 2u);
    EXPECT_EQ(p.messages[0].caption, "开启失败");
    EXPECT_NE(p.messages[0].text.find("netsh"), std::string::npos);
    EXPECT_EQ(p.messages[1].caption, "关闭失败");
    EXPECT_EQ(p.messages[1].text, kSwitchOffFailedText);
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_TRUE(p.C("按钮开始").Enabled());
    EXPECT_EQ(p.C("标签9").Text(), "未启动");
    EXPECT_EQ(p.C("时钟状态").Interval(), 0);
    EXPECT_EQ(p.C("时钟流量条延时").Interval(), 0);
    EXPECT_FALSE(p.Session().sharingCompleted);
    EXPECT_NE(p.app->Main().TrayPicture(), ui::kPictureTrayRunning);
}

TEST(StartSharing, ConnectionNamesWithPatternCharactersAreMatchedLiterallyAndWhole) {
    // A renamed hosted connection: its DHCP line and its offload header are found,
    // and "本地连接* 1" never takes the header of "本地连接* 12".
    for (const char* name : {"热点(WiFi)", "WLAN+", "本地连接* 1", "a.b?[c"}) {
        SCOPED_TRACE(name);
        Program p(std::string("windows 7\nupstream 无线网络连接\nhosted \"") + name +
                  "\" index=31\nconnection \"" + name + "2\" kind=ethernet status=2 index=32\n");
        p.Idle(5, "无线网络连接");
        p.PressStart();
        EXPECT_EQ(p.C("编辑框虚拟网卡").Text(), name);
        EXPECT_EQ(p.Session().hostedInterfaceIndex, "31");
        const std::vector<std::string> commands = p.Commands();
        EXPECT_NE(std::find(commands.begin(), commands.end(), StaticAddress(name)), commands.end());
    }
}

}  // namespace
}  // namespace hs::hotspot::testing
