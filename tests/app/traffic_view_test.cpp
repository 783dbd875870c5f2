// The traffic displays on the simulated laptop: the totals of page "流量统计" follow the
// phones once sharing came up, and the floating bar opens on its delay timer, shows
// the rates, keeps its place, and hides or brings the main window back from its menu.
#include "app/traffic_view.h"

#include <algorithm>

#include "settings/keys.h"
#include "settings/settings_file.h"
#include "tests/hotspot/hotspot_support.h"
#include "traffic/bar_menu.h"
#include "traffic/figures.h"

namespace hs::hotspot::testing {
namespace {

// The hosted adapter has the sparse interface index 26; a phone joins 10 s in and
// downloads 1.5 MB and uploads 0.5 MB a second.
constexpr const char* kLaptop =
    "windows 7\n"
    "upstream 无线网络连接\n"
    "connection 无线网络连接 kind=wifi status=2 index=11 address=192.168.1.105/24 "
    "gateway=192.168.1.1 gateway_mac=c8-3a-35-84-78-1e in=734003200 out=96468992\n"
    "connection 本地连接 kind=ethernet status=7 index=10\n"
    "hosted \"无线网络连接 2\" index=26\n"
    "device a4:5e:60:c1:22:33 name=android join=10 down=1536k up=512k ip=192.168.137.23\n";

constexpr int kTrafficPage = 3;

struct TrafficProgram : Program {
    TrafficProgram() : Program(kLaptop), bar(app->Bar()) { Idle(5, "无线网络连接"); }

    ui::Control Bar(const char* name) { return app->Bar()[name]; }
    std::string Setting(const settings::SettingKey& key) {
        return settings::ReadSetting(host, key);
    }
    // Lets virtual time pass on the laptop and for both windows' timers.
    void Pass(int64_t ms) {
        clock.Advance(ms);
        driver->AdvanceTimers(ms);
        bar.AdvanceTimers(ms);
    }
    // The start, and the first tick of the bar's delay timer.
    void StartAndOpenBar() {
        PressStart();
        ASSERT_EQ(C("时钟流量条延时").Interval(), 1000);
        ASSERT_TRUE(driver->FireTimer("时钟流量条延时"));
    }

    ui::Driver bar;
};

TEST(TrafficView, BeforeAnyStartThePageShowsZeroAndStartsNoTimer) {
    TrafficProgram p;
    ASSERT_TRUE(p.driver->ChangePage("选择夹1", kTrafficPage));
    EXPECT_EQ(p.C("标签本次下载流量").Text(), "0.00 MB");
    EXPECT_EQ(p.C("标签本次上传流量").Text(), "0.00 MB");
    EXPECT_EQ(p.C("标签本次总流量").Text(), "0.00 MB");
    EXPECT_EQ(p.C("时钟流量统计").Interval(), 0);
    EXPECT_FALSE(p.app->Traffic().BarLoaded());
    // The switch works before the bar exists: only the setting changes.
    ASSERT_TRUE(p.driver->Click("选择框显示流量"));
    EXPECT_EQ(p.Setting(settings::kShowBar), p.C("选择框显示流量").Checked() ? "是" : "否");
    EXPECT_FALSE(p.app->Traffic().BarLoaded());
    EXPECT_FALSE(p.app->Bar().Self().Visible());
}

TEST(TrafficView, TotalsFollowThePhoneWhileThePageIsOpen) {
    TrafficProgram p;
    p.PressStart();
    ASSERT_TRUE(p.Session().sharingCompleted);
    ASSERT_EQ(p.Session().hostedInterfaceNumber, 26);
    ASSERT_TRUE(p.driver->ChangePage("选择夹1", kTrafficPage));
    EXPECT_EQ(p.C("时钟流量统计").Interval(), 3000);
    const std::string firstDownload = p.C("标签本次下载流量").Text();

    // The phone joins and downloads; each 3 s tick rewrites the labels.
    p.Pass(30000);
    const uint64_t down = p.app->Traffic().Meter().DownloadBytes();
    const uint64_t up = p.app->Traffic().Meter().UploadBytes();
    EXPECT_GT(down, 0u);
    EXPECT_GT(up, 0u);
    EXPECT_EQ(p.C("标签本次下载流量").Text(), traffic::FormatMegabytes(down));
    EXPECT_EQ(p.C("标签本次上传流量").Text(), traffic::FormatMegabytes(up));
    EXPECT_EQ(p.C("标签本次总流量").Text(), traffic::FormatTotal(down, up));
    EXPECT_NE(p.C("标签本次下载流量").Text(), firstDownload);

    p.Pass(6000);
    EXPECT_GT(p.app->Traffic().Meter().DownloadBytes(), down);

    // Leaving the page stops the refresh; the labels keep their figures.
    const std::string shown = p.C("标签本次下载流量").Text();
    ASSERT_TRUE(p.driver->ChangePage("选择夹1", 0));
    EXPECT_EQ(p.C("时钟流量统计").Interval(), 0);
    p.Pass(9000);
    EXPECT_EQ(p.C("标签本次下载流量").Text(), shown);
}

TEST(TrafficView, TheBarOpensOnceAtTheDefaultPlaceAndShowsTheRates) {
    TrafficProgram p;
    p.C("选择框显示流量").SetChecked(true);
    p.StartAndOpenBar();
    EXPECT_EQ(p.C("时钟流量条延时").Interval(), 0);
    ui::Control bar = p.app->Bar().Self();
    EXPECT_TRUE(p.app->Traffic().BarLoaded());
    EXPECT_TRUE(bar.Visible());
    EXPECT_FALSE(p.app->Bar().Themed());
    EXPECT_EQ(p.Bar("透明标签1").Tip(), traffic::kBarTip);
    // 186 and 118 pixels from the right and bottom of the 1366 x 768 screen.
    EXPECT_EQ(bar.Left(), 1366 - 186);
    EXPECT_EQ(bar.Top(), 768 - 118);
    EXPECT_EQ(p.Bar("时钟流量").Interval(), 970);

    ASSERT_TRUE(p.bar.FireTimer("时钟流量"));
    EXPECT_EQ(p.Bar("下载透明标签").Text(), "0.0KB/S");
    EXPECT_EQ(p.Bar("上传透明标签").Text(), "0.0KB/S");
    // Once the phone moves data, a tick shows about 1.5 MB down and 0.5 MB up.
    p.clock.Advance(20000);
    ASSERT_TRUE(p.bar.FireTimer("时钟流量"));
    p.clock.Advance(1000);
    ASSERT_TRUE(p.bar.FireTimer("时钟流量"));
    EXPECT_EQ(p.Bar("下载透明标签").Text(), "1.50MB/S");
    EXPECT_EQ(p.Bar("上传透明标签").Text(), "512.0KB/S");

    // A second start opens the same bar again without a second set-up.
    bar.Move(300, 200, bar.Width(), bar.Height());
    p.PressStart();  // stop
    p.PressStart();  // start again
    ASSERT_TRUE(p.driver->FireTimer("时钟流量条延时"));
    EXPECT_EQ(bar.Left(), 300);
    EXPECT_EQ(bar.Top(), 200);
}

TEST(TrafficView, AnUncheckedBoxLoadsTheBarHiddenAndTheBoxSwitchesIt) {
    TrafficProgram p;
    p.C("选择框显示流量").SetChecked(false);
    p.StartAndOpenBar();
    ui::Control bar = p.app->Bar().Self();
    EXPECT_TRUE(p.app->Traffic().BarLoaded());
    EXPECT_FALSE(bar.Visible());
    EXPECT_EQ(p.Bar("时钟流量").Interval(), 970);  // it runs while hidden

    ASSERT_TRUE(p.driver->Click("选择框显示流量"));
    EXPECT_TRUE(bar.Visible());
    EXPECT_EQ(p.Setting(settings::kShowBar), "是");
    ASSERT_TRUE(p.driver->Click("选择框显示流量"));
    EXPECT_FALSE(bar.Visible());
    EXPECT_EQ(p.Bar("时钟流量").Interval(), 0);
    EXPECT_EQ(p.Setting(settings::kShowBar), "否");
}

TEST(TrafficView, TheBarsPlaceIsSavedAndComesBackAfterARestart) {
    TrafficProgram p;
    p.C("选择框显示流量").SetChecked(true);
    p.StartAndOpenBar();
    ASSERT_TRUE(p.bar.MoveWindow(400, 120));
    EXPECT_EQ(p.Setting(settings::kBarPosition), "400|120");

    // The next run on the same laptop puts the bar where it was left.
    app::App next(p.host, p.dispatcher);
    next.Main()["选择框显示流量"].SetChecked(true);
    next.Traffic().OpenBar();
    EXPECT_EQ(next.Bar().Self().Left(), 400);
    EXPECT_EQ(next.Bar().Self().Top(), 120);

    // A place no monitor shows any more gives the default place.
    ASSERT_TRUE(settings::WriteSetting(p.host, settings::kBarPosition, "99999|-99999"));
    app::App lost(p.host, p.dispatcher);
    lost.Traffic().OpenBar();
    EXPECT_EQ(lost.Bar().Self().Left(), 1366 - 186);
    EXPECT_EQ(lost.Bar().Self().Top(), 768 - 118);
}

TEST(TrafficView, TheMenuOpensAboveOrBelowTheBarAndItsLinksWork) {
    TrafficProgram p;
    p.C("选择框显示流量").SetChecked(true);
    p.StartAndOpenBar();
    ui::Control balloon = p.Bar("气球提示框1");
    // At the default place, near the bottom: from the bar's top edge.
    ASSERT_TRUE(p.bar.RightDown("透明标签1"));
    EXPECT_TRUE(balloon.BalloonShown());
    EXPECT_EQ(balloon.Document(), traffic::kBubbleMenuDocument);
    EXPECT_EQ(balloon.BalloonX(), 1366 - 186 + 77);
    EXPECT_EQ(balloon.BalloonY(), 768 - 118);
    EXPECT_TRUE(balloon.BalloonUpwards());
    // Higher up: from its bottom edge.
    ASSERT_TRUE(p.bar.MoveWindow(200, 100));
    ASSERT_TRUE(p.bar.RightDown("透明标签1"));
    EXPECT_EQ(balloon.BalloonX(), 277);
    EXPECT_EQ(balloon.BalloonY(), 122);
    EXPECT_FALSE(balloon.BalloonUpwards());

    // "m7": the main window back in place.
    ui::Control main = p.app->Main().Self();
    main.SetVisible(false);
    ASSERT_TRUE(p.bar.ClickLink("气球提示框1", "m7"));
    EXPECT_TRUE(main.Visible());
    EXPECT_EQ(main.PositionMode(), ui::kPositionNormal);

    // "m8": the bar hidden and stopped, the box unchecked and remembered.
    ASSERT_TRUE(p.bar.RightDown("透明标签1"));
    ASSERT_TRUE(p.bar.ClickLink("气球提示框1", "m8"));
    EXPECT_FALSE(p.app->Bar().Self().Visible());
    EXPECT_EQ(p.Bar("时钟流量").Interval(), 0);
    EXPECT_FALSE(p.C("选择框显示流量").Checked());
    EXPECT_EQ(p.Setting(settings::kShowBar), "否");
    EXPECT_FALSE(traffic::ReadBarSwitch(p.host));
}

// The laptop's screen and a taller monitor to its left, 1920 x 1200 with its task bar
// along the bottom.
class TwoMonitors : public Desktop {
  public:
    bool RestoreExistingWindow(const std::string&) override { return false; }
    DisplayLayout Displays() override {
        return {1366,
                768,
                {{0, 0, 1366, 728}, {-1920, 0, 0, 1160}},
                {{0, 0, 1366, 768}, {-1920, 0, 0, 1200}}};
    }
};

TEST(TrafficView, OnASecondMonitorTheMenuOpensFromThatMonitorsHeight) {
    TrafficProgram p;
    TwoMonitors desktop;
    p.host.desktop = &desktop;
    ASSERT_TRUE(settings::WriteSetting(p.host, settings::kBarPosition, "-1000|700"));
    p.C("选择框显示流量").SetChecked(true);
    p.StartAndOpenBar();
    // The bar stays where it was saved.
    EXPECT_EQ(p.app->Bar().Self().Left(), -1000);
    EXPECT_EQ(p.app->Bar().Self().Top(), 700);
    ui::Control balloon = p.Bar("气球提示框1");
    // High on its 1200-pixel monitor, though low on the primary one: down from the
    // bar's bottom edge.
    ASSERT_TRUE(p.bar.RightDown("透明标签1"));
    EXPECT_EQ(balloon.BalloonX(), -1000 + 77);
    EXPECT_EQ(balloon.BalloonY(), 722);
    EXPECT_FALSE(balloon.BalloonUpwards());
    // Near that monitor's bottom: up from the bar's top edge.
    ASSERT_TRUE(p.bar.MoveWindow(-1000, 1100));
    ASSERT_TRUE(p.bar.RightDown("透明标签1"));
    EXPECT_EQ(balloon.BalloonY(), 1100);
    EXPECT_TRUE(balloon.BalloonUpwards());
}

TEST(TrafficView, TheDoubleClickBringsTheMainWindowToTheFrontForAMoment) {
    TrafficProgram p;
    p.C("选择框显示流量").SetChecked(true);
    p.StartAndOpenBar();
    ui::Control main = p.app->Main().Self();
    main.SetVisible(false);
    p.clock.ClearPauses();
    ASSERT_TRUE(p.bar.DoubleClick("透明标签1"));
    p.app->Settle();
    EXPECT_TRUE(main.Visible());
    EXPECT_EQ(main.PositionMode(), ui::kPositionCentred);
    EXPECT_FALSE(main.Topmost());
    const std::vector<int64_t> pauses = p.clock.Pauses();
    EXPECT_NE(std::find(pauses.begin(), pauses.end(), 500), pauses.end());
}

}  // namespace
}  // namespace hs::hotspot::testing
