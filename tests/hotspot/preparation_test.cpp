// The background preparation on the simulated laptop: the idle window, the update
// check, the announcement and the services.
#include "hotspot/preparation.h"

#include "hotspot/update_check.h"
#include "settings/settings_file.h"
#include "sys/text.h"
#include "tests/hotspot/hotspot_support.h"

namespace hs::hotspot::testing {
namespace {

using Texts = std::vector<std::string>;

constexpr const char* kUpdatePage = "/rjgx/lanz/lanzgx.html";
constexpr const char* kNewsPage = "/rjgx/lanz/gonggao.html";

std::string Scenario(const std::string& version, const std::string& address,
                     const std::string& services = "") {
    return "windows 7\nupstream 无线网络连接\npage " + std::string(kUpdatePage) +
           " 说明【版本开始】" + version + "【版本结束】其他【地址开始】" + address +
           "【地址结束】\npage " + kNewsPage + " <p>公告：欢迎</p>\n" + services;
}

TEST(Preparation, LeavesTheWindowIdleAndShowsTheAnnouncement) {
    Program p(Scenario("1.0", "http://127.0.0.1/new.exe"));
    p.H().osVersionCode = 5;
    p.Prepare();
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_TRUE(p.C("按钮开始").Enabled());
    EXPECT_EQ(p.app->Main().TrayPicture(), ui::kPictureTrayIdle);
    EXPECT_EQ(p.app->Main().TrayTip(), "未开启共享");
    EXPECT_EQ(p.C("组合框1").Text(), "无线网络连接");
    EXPECT_FALSE(p.C("选择框2").Checked());
    EXPECT_TRUE(p.messages.empty());  // 1.0 is not newer
    EXPECT_EQ(p.C("简单超文本框1").Document(), "<p>公告：欢迎</p>");
    const sim::LaptopModel m = p.laptop->Snapshot();
    EXPECT_EQ(m.commands, (Texts{"netsh wlan set hostednetwork mode=disallow"}));
    EXPECT_EQ(m.httpRequests, (Texts{"http://update.lanzhou-wifi.example/rjgx/lanz/lanzgx.html",
                                     "http://update.lanzhou-wifi.example/rjgx/lanz/gonggao.html"}));
    EXPECT_EQ(p.Pauses(), (std::vector<int64_t>{1000}));
    EXPECT_FALSE(p.app->Ending());
}

TEST(Preparation, TheRememberedUpstreamWins) {
    Program p(Scenario("1.0", ""));
    ASSERT_TRUE(settings::WriteSetting(p.host, "xzk2", "xz", "1"));
    ASSERT_TRUE(settings::WriteSetting(p.host, "kdmc", "kdmc", "宽带连接"));
    p.Prepare();
    EXPECT_TRUE(p.C("选择框2").Checked());
    EXPECT_EQ(p.C("组合框1").Text(), "宽带连接");
}

TEST(Preparation, ANewerVersionAcceptedOpensTheWebPageAndEnds) {
    Program p(Scenario("1.1", "http://127.0.0.1/new.exe"));
    p.answer = 6;  // yes
    p.Prepare();
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "亲！检测到最新V1.1版本，体验更好，是否下载更新……");
    EXPECT_EQ(p.messages[0].caption, "更新提示");
    EXPECT_EQ(p.messages[0].flags, 4);
    const sim::LaptopModel m = p.laptop->Snapshot();
    EXPECT_EQ(m.openedUrls, (Texts{"http://127.0.0.1/new.exe"}));
    EXPECT_FALSE(p.app->Main().Self().Visible());
    EXPECT_EQ(p.quitCodes, (std::vector<int>{0}));
    EXPECT_EQ(m.commands.back(), kDisallow);  // reset to idle before the end
    EXPECT_EQ(m.httpRequests.size(), 1u);     // no announcement after that
}

TEST(Preparation, ADownloadAddressThatIsNoWebPageIsNeverOpenedAndTheProgramGoesOn) {
    for (const char* address : {"c:\\windows\\system32\\calc.exe", "file:///c:/x.exe", "",
                                "javascript:alert(1)", "http://"}) {
        SCOPED_TRACE(address);
        Program p(Scenario("2", address));
        p.answer = 6;
        p.Prepare();
        ASSERT_EQ(p.messages.size(), 2u);
        EXPECT_EQ(p.messages[1].text, kInvalidUpdateAddressText);
        EXPECT_EQ(p.messages[1].caption, "更新提示");
        EXPECT_EQ(p.messages[1].flags, 0x40);
        EXPECT_TRUE(p.laptop->Snapshot().openedUrls.empty());
        EXPECT_TRUE(p.quitCodes.empty());
        EXPECT_FALSE(p.app->Ending());
        // The rest of the preparation runs as after a declined update.
        EXPECT_EQ(p.C("简单超文本框1").Document(), "<p>公告：欢迎</p>");
    }
    EXPECT_TRUE(IsWebAddress("HTTPS://127.0.0.1/a"));
}

TEST(Preparation, AnInvalidUpdateAcceptedWhileSharingLeavesTheHotspotRunning) {
    Program p(Scenario("2", "file:///c:/x.exe"));
    p.Idle(5, "无线网络连接");
    p.PressStart();
    ASSERT_EQ(p.C("按钮开始").Text(), "关闭共享");
    p.app->Main().Self().SetVisible(true);
    const size_t mark = p.Mark();
    p.answer = 6;
    EXPECT_FALSE(p.CheckForUpdate());
    ASSERT_EQ(p.messages.size(), 2u);
    EXPECT_EQ(p.messages[1].text, kInvalidUpdateAddressText);
    // No switch-off, no return to idle: the hotspot and the window are as they were.
    EXPECT_TRUE(p.CommandsSince(mark).empty());
    sim::LaptopModel m = p.laptop->Snapshot();
    EXPECT_TRUE(m.hosted.started);
    EXPECT_TRUE(m.Find("无线网络连接")->sharingEnabled);
    EXPECT_EQ(p.C("按钮开始").Text(), "关闭共享");
    EXPECT_TRUE(p.Session().sharingCompleted);
    EXPECT_TRUE(p.app->Main().Self().Visible());
    EXPECT_FALSE(p.app->Ending());
    EXPECT_TRUE(p.quitCodes.empty());
}

TEST(Preparation, ANewerVersionDeclinedGoesOn) {
    Program p(Scenario("1.1", "http://127.0.0.1/new.exe"));
    p.answer = 7;  // no
    p.Prepare();
    EXPECT_EQ(p.messages.size(), 1u);
    EXPECT_TRUE(p.laptop->Snapshot().openedUrls.empty());
    EXPECT_TRUE(p.quitCodes.empty());
    EXPECT_EQ(p.C("简单超文本框1").Document(), "<p>公告：欢迎</p>");
}

TEST(Preparation, WithoutTheServerTheBuiltInHelpIsShown) {
    Program p("windows 7\nupstream 无线网络连接\n");
    p.Prepare();
    EXPECT_TRUE(p.messages.empty());
    const std::string help = p.C("简单超文本框1").Document();
    EXPECT_EQ(help, kBuiltInHelp);
    EXPECT_NE(help.find("以管理员身份运行"), std::string::npos);
    EXPECT_NE(help.find("Fn+F2"), std::string::npos);
    EXPECT_NE(help.find("驱动"), std::string::npos);
}

TEST(Preparation, ServicesGetTheirStartTypes) {
    // The firewall already runs: nothing started, no message. Sharing on automatic
    // becomes manual and is not started.
    Program p(Scenario("1.0", "",
                       "service SharedAccess start=2 state=1\nservice MpsSvc start=3 state=4\n"));
    p.Prepare();
    const sim::LaptopModel m = p.laptop->Snapshot();
    EXPECT_EQ(m.services.at("SharedAccess").status.startType, 3);
    EXPECT_EQ(m.services.at("SharedAccess").status.currentState, 1);
    EXPECT_EQ(m.services.at("MpsSvc").status.startType, 2);
    EXPECT_EQ(m.services.at("MpsSvc").status.currentState, 4);
    EXPECT_TRUE(p.messages.empty());
}

TEST(Preparation, AStoppedFirewallIsStartedOrReported) {
    Program started(Scenario("1.0", "", "service MpsSvc start=2 state=1\n"));
    started.Prepare();
    EXPECT_EQ(started.laptop->Snapshot().services.at("MpsSvc").status.currentState, 4);
    EXPECT_TRUE(started.messages.empty());

    Program failing(Scenario("1.0", "", "service MpsSvc start=4 state=1 fails=yes\n"));
    failing.Prepare();
    ASSERT_EQ(failing.messages.size(), 1u);
    EXPECT_EQ(failing.messages[0].text, "防火墙打开失败，所依赖服务可能不完整！");
    EXPECT_EQ(failing.messages[0].caption, "提示");
    EXPECT_EQ(failing.messages[0].flags, 0x10);
    EXPECT_EQ(failing.laptop->Snapshot().services.at("MpsSvc").status.startType, 2);
}

TEST(Preparation, RunsOnItsThreadFromTheCreatedProcedure) {
    Program p(Scenario("1.0", ""));
    p.app->Main().Dispatch(p.app->Main().Self().Name(), ui::Event::Created);
    p.app->Settle();
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_TRUE(p.C("按钮开始").Enabled());
}

TEST(UpdateCheck, VersionTexts) {
    EXPECT_EQ(VersionNumber(""), 0.0);
    EXPECT_EQ(VersionNumber(" 1.1 "), 1.1);
    EXPECT_EQ(VersionNumber("abc"), 0.0);
}

}  // namespace
}  // namespace hs::hotspot::testing
