// The main window's own events on a simulated laptop: the two exits end sharing
// before the program ends, closing plays the collapse animation, the window hides to
// the notification area and comes back centred, and the page "管理用户" grows it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/exit.h"
#include "app/window_events.h"
#include "tests/hotspot/hotspot_support.h"
#include "ui/recorder.h"

namespace hs::app {
namespace {

using hotspot::testing::kDisallow;
using hotspot::testing::Program;

constexpr const char* kWindows7 = "windows 7\nupstream 无线网络连接\n";
constexpr const char* kScreenCentred = "493,250";  // (1366 - 380) / 2, (768 - 268) / 2

bool AnySharing(const sim::LaptopModel& m) {
    for (const sim::SimConnection& c : m.connections) {
        if (c.sharingEnabled)
            return true;
    }
    return false;
}

// The program with sharing running, the window shown at (100, 200) and its
// notification-area icon installed.
struct Sharing {
    Sharing() : p(kWindows7) {
        p.Idle(5, "无线网络连接");
        p.PressStart();
        main().Self().Move(100, 200, 380, kMainWindowHeight);
        main().Self().SetVisible(true);
        // What the program's state is when it ends.
        p.app->quitHook = [this](int code) {
            p.quitCodes.push_back(code);
            atQuit = p.laptop->Snapshot();
        };
    }
    ui::Window& main() { return p.app->Main(); }

    // Lets the exit's workers run to their end, as the window thread would.
    void ExpectEndedIdle() {
        p.app->Settle();
        EXPECT_EQ(p.quitCodes, (std::vector<int>{0}));
        EXPECT_FALSE(atQuit.hosted.allowed);
        EXPECT_FALSE(AnySharing(atQuit));
        EXPECT_FALSE(p.app->WorkersRunning());
        EXPECT_FALSE(main().TrayShown());
        EXPECT_FALSE(main().Self().Visible());
        EXPECT_FALSE(p.app->Bar().Self().Visible());
        EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
        const std::vector<std::string> commands = p.Commands();
        EXPECT_EQ(commands.empty() ? "" : commands.back(), kDisallow);
    }

    Program p;
    sim::LaptopModel atQuit;
};

TEST(Exit, ClosingWhileSharingSwitchesItOffAndDisallowsTheNetworkBeforeTheEnd) {
    Sharing s;
    ASSERT_TRUE(s.p.laptop->Snapshot().hosted.started);
    ASSERT_TRUE(AnySharing(s.p.laptop->Snapshot()));
    s.p.C("时钟循环列表").SetInterval(10000);
    s.p.app->Bar().Self().SetVisible(true);
    s.p.app->Bar()["时钟流量"].SetInterval(1000);
    ASSERT_TRUE(s.p.driver->Close());
    s.ExpectEndedIdle();
    EXPECT_FALSE(s.main().Self().Bordered());
    EXPECT_EQ(s.p.C("时钟循环列表").Interval(), 0);
    EXPECT_EQ(s.p.app->Bar()["时钟流量"].Interval(), 0);
}

TEST(Exit, TheMenuItemExitEndsSharingToo) {
    Sharing s;
    ASSERT_TRUE(s.p.driver->Choose("退出"));
    s.ExpectEndedIdle();
    // No animation: the window keeps its frame and its size.
    EXPECT_TRUE(s.main().Self().Bordered());
    EXPECT_EQ(s.main().Self().Height(), kMainWindowHeight);
}

TEST(Exit, AnExitChosenWhileTheCloseRunsDoesNothing) {
    Sharing s;
    // 退出 chosen from the icon's menu while the close animates.
    bool nestedRan = false;
    s.p.dispatcher.Post([&] { nestedRan = s.p.driver->Choose("退出"); });
    const size_t mark = s.p.Mark();
    ASSERT_TRUE(s.p.driver->Close());
    s.p.app->Settle();
    EXPECT_TRUE(nestedRan);
    EXPECT_EQ(s.p.quitCodes, (std::vector<int>{0}));
    int disallows = 0;
    for (const std::string& c : s.p.CommandsSince(mark))
        disallows += c == kDisallow;
    EXPECT_EQ(disallows, 1);
    // The close went on to the end: the window collapsed whole.
    EXPECT_EQ(s.main().Self().Width(), 0);
}

TEST(Exit, TheIconCannotBringBackAWindowThatIsClosing) {
    Sharing s;
    s.p.dispatcher.Post([&] { s.p.driver->TrayEvent(1); });
    ui::Recorder rec(s.main());
    ASSERT_TRUE(s.p.driver->Close());
    s.p.app->Settle();
    EXPECT_EQ(rec.Count("主窗口", ui::Property::Activate), 0);
    EXPECT_EQ(rec.Count("主窗口", ui::Property::PositionMode), 0);
    EXPECT_EQ(rec.Values("主窗口", ui::Property::Visible), (std::vector<std::string>{"0"}));
}

TEST(Exit, TheCollapseShrinksTheHeightThenPausesThenTheWidth) {
    Sharing s;
    std::vector<std::string> steps;
    const int observer = s.main().AddObserver([&](ui::Control c, ui::Property property) {
        if (c.Index() == 0 && property == ui::Property::Geometry)
            steps.push_back(ui::PropertyValue(c, property));
        if (c.Index() == 0 && property == ui::Property::Border)
            steps.push_back(c.Bordered() ? "border" : "no border");
    });
    s.p.Pauses();
    ASSERT_TRUE(s.p.driver->Close());
    // The window thread did not wait: nothing has moved yet.
    EXPECT_EQ(steps, (std::vector<std::string>{"no border"}));
    s.p.app->Settle();
    s.main().RemoveObserver(observer);
    const std::vector<int64_t> pauses = s.p.Pauses();

    std::vector<std::string> expected = {"no border"};
    // Height 268 to 0 by 20 (the last step would go below 0), top down by 10.
    for (int k = 1; k <= 14; ++k) {
        const int height = 268 - 20 * k;
        expected.push_back("100," + std::to_string(200 + 10 * k) + ",380," +
                           std::to_string(height < 0 ? 0 : height));
    }
    // Width 380 to 0 by 60, left right by 30.
    for (int k = 1; k <= 7; ++k) {
        const int width = 380 - 60 * k;
        expected.push_back(std::to_string(100 + 30 * k) + ",340," +
                           std::to_string(width < 0 ? 0 : width) + ",0");
    }
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(steps[1], "100,210,380,248");
    EXPECT_EQ(steps[14], "100,340,380,0");
    EXPECT_EQ(steps.back(), "310,340,0,0");
    // Each frame is drawn in a pause of its own, and 50 ms lie between the collapses;
    // the collapse worker makes them, never the window thread.
    std::vector<int64_t> expectedPauses(14, kCollapseStepMs);
    expectedPauses.push_back(kCollapsePauseMs);
    expectedPauses.insert(expectedPauses.end(), 7, kCollapseStepMs);
    ASSERT_GE(pauses.size(), expectedPauses.size());
    EXPECT_EQ(std::vector<int64_t>(pauses.begin(), pauses.begin() + 22), expectedPauses);
}

struct Shown {
    Shown() : p(kWindows7), rec(p.app->Main()) {
        self().Move(100, 200, 380, kMainWindowHeight);
        self().SetVisible(true);
        p.app->Main().SetTrayIcon(ui::kPictureTrayIdle, "未开启共享");
        rec.Clear();
    }
    ui::Control self() { return p.app->Main().Self(); }
    Program p;
    ui::Recorder rec;
};

std::string TopLeft(ui::Control c) {
    return std::to_string(c.Left()) + "," + std::to_string(c.Top());
}

TEST(WindowEvents, HiddenToTheTrayAndBackByTheIconMenuCentred) {
    Shown s;
    s.p.C("时钟流量统计").SetInterval(3000);
    ASSERT_TRUE(s.p.driver->Click("按钮右下角"));
    EXPECT_FALSE(s.self().Visible());
    EXPECT_EQ(s.self().PositionMode(), ui::kPositionMinimised);
    EXPECT_EQ(s.p.C("时钟流量统计").Interval(), 0);
    // The order the front end sees: minimised, then hidden.
    EXPECT_EQ(s.rec.Values("主窗口", ui::Property::PositionMode), (std::vector<std::string>{"2"}));

    ASSERT_TRUE(s.p.driver->TrayEvent(3));
    EXPECT_EQ(s.rec.Count("菜单", ui::Property::Popup), 1);
    EXPECT_FALSE(s.self().Visible());
    ASSERT_TRUE(s.p.driver->Choose("显示界面"));
    EXPECT_TRUE(s.self().Visible());
    EXPECT_EQ(s.self().PositionMode(), ui::kPositionCentred);
    EXPECT_EQ(TopLeft(s.self()), kScreenCentred);
    EXPECT_EQ(s.rec.Count("主窗口", ui::Property::Activate), 1);
    // The totals refresh stays stopped until "流量统计" is chosen anew.
    EXPECT_EQ(s.p.driver->AdvanceTimers(10000), 0);
    EXPECT_EQ(s.p.C("时钟流量统计").Interval(), 0);
}

TEST(WindowEvents, AClickOnTheIconShowsTheWindowAndSurfacesItForAMoment) {
    for (int code : {1, 2}) {
        SCOPED_TRACE(code);
        Shown s;
        s.self().SetVisible(false);
        s.p.Pauses();
        ASSERT_TRUE(s.p.driver->TrayEvent(code));
        EXPECT_TRUE(s.self().Topmost());
        s.p.app->Settle();
        EXPECT_TRUE(s.self().Visible());
        EXPECT_EQ(TopLeft(s.self()), kScreenCentred);
        EXPECT_EQ(s.rec.Count("主窗口", ui::Property::Activate), 1);
        EXPECT_EQ(s.rec.Values("主窗口", ui::Property::Topmost),
                  (std::vector<std::string>{"1", "0"}));
        EXPECT_EQ(s.p.Pauses(), (std::vector<int64_t>{kSurfaceMs}));
        EXPECT_EQ(s.rec.Count("菜单", ui::Property::Popup), 0);
    }
}

TEST(WindowEvents, AWindowAlreadyOnTopStaysOnTopAndOtherCodesDoNothing) {
    Shown s;
    s.self().SetTopmost(true);
    s.rec.Clear();
    s.p.Pauses();
    ASSERT_TRUE(s.p.driver->TrayEvent(1));
    EXPECT_TRUE(s.self().Topmost());
    EXPECT_EQ(s.rec.Count("主窗口", ui::Property::Topmost), 0);
    EXPECT_TRUE(s.p.Pauses().empty());

    s.self().SetVisible(false);
    s.rec.Clear();
    ASSERT_TRUE(s.p.driver->TrayEvent(7));
    EXPECT_TRUE(s.rec.Changes().empty());
    EXPECT_FALSE(s.self().Visible());
}

TEST(WindowEvents, TheRightButtonOnTheWindowPopsUpTheMenu) {
    Shown s;
    ASSERT_TRUE(s.p.driver->RightUp("主窗口"));
    EXPECT_EQ(s.rec.Count("菜单", ui::Property::Popup), 1);
}

TEST(WindowEvents, ManageUsersGrowsInStepsOfTwentyAndTheMainPageShrinksAtOnce) {
    Shown s;
    ASSERT_TRUE(s.p.driver->ChangePage("选择夹1", kPageUsers));
    EXPECT_EQ(s.rec.Values("主窗口", ui::Property::Geometry),
              (std::vector<std::string>{"100,200,380,288", "100,200,380,308", "100,200,380,328"}));
    s.rec.Clear();
    ASSERT_TRUE(s.p.driver->ChangePage("选择夹1", 0));
    EXPECT_EQ(s.rec.Values("主窗口", ui::Property::Geometry),
              (std::vector<std::string>{"100,200,380,268"}));
    // Any other page: 268 as well; a window already that high does not move.
    ASSERT_TRUE(s.p.driver->ChangePage("选择夹1", kPageUsers));
    ASSERT_TRUE(s.p.driver->ChangePage("选择夹1", 2));
    EXPECT_EQ(s.self().Height(), kMainWindowHeight);
    s.rec.Clear();
    ASSERT_TRUE(s.p.driver->ChangePage("选择夹1", 4));
    EXPECT_EQ(s.rec.Count("主窗口", ui::Property::Geometry), 0);
    // A window already as high as the page needs is left as it is.
    s.self().Move(100, 200, 380, 320);
    s.rec.Clear();
    ASSERT_TRUE(s.p.driver->ChangePage("选择夹1", kPageUsers));
    EXPECT_EQ(s.rec.Count("主窗口", ui::Property::Geometry), 0);
}

TEST(WindowEvents, TheTrafficPageBeforeAnyStartStartsNoTimer) {
    Shown s;
    ASSERT_TRUE(s.p.driver->ChangePage("选择夹1", kPageTraffic));
    EXPECT_EQ(s.p.C("时钟流量统计").Interval(), 0);
    EXPECT_EQ(s.self().Height(), kMainWindowHeight);
}

}  // namespace
}  // namespace hs::app
