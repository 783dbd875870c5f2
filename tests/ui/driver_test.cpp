// The headless driver: user actions write the model first, then run the handler;
// unreachable controls take no input; timers fire on virtual time in order.
#include <gtest/gtest.h>

#include "tests/ui/layout.h"
#include "ui/driver.h"
#include "ui/model.h"
#include "ui/recorder.h"

namespace hs::ui {
namespace {

class DriverTest : public ::testing::Test {
  protected:
    Window w{test::TestLayout()};
    Driver d{w};
    std::vector<std::string> log;

    void Note(const std::string& control, Event event) {
        w.Bind(control, event, [this, control](const EventArgs& a) {
            log.push_back(control + " " + std::to_string(a.code) +
                          (a.text.empty() ? "" : " " + a.text));
        });
    }
};

TEST_F(DriverTest, CheckboxAndRadioChangeBeforeTheHandlerRuns) {
    w.Bind("选择框1", Event::Clicked, [&](const EventArgs&) {
        log.push_back(w["选择框1"].Checked() ? "checked" : "unchecked");
    });
    w.Bind("单选框不监控", Event::Clicked,
           [&](const EventArgs&) { log.push_back(w["单选框监控"].Checked() ? "both" : "off"); });
    w["单选框监控"].SetChecked(true);
    EXPECT_TRUE(d.Click("选择框1"));
    EXPECT_TRUE(d.Click("选择框1"));
    EXPECT_TRUE(d.Click("单选框不监控"));
    EXPECT_TRUE(d.Click("单选框不监控"));  // clicking a checked radio keeps it checked
    EXPECT_TRUE(w["单选框不监控"].Checked());
    EXPECT_EQ(log, (std::vector<std::string>{"unchecked", "checked", "off", "off"}));
}

TEST_F(DriverTest, DisabledOrHiddenControlsTakeNoInput) {
    Note("按钮开始", Event::Clicked);
    Note("编辑框设备", Event::FocusLost);
    EXPECT_FALSE(d.Click("按钮开始"));  // starts disabled
    w["按钮开始"].SetEnabled(true);
    EXPECT_TRUE(d.Click("按钮开始"));

    EXPECT_FALSE(d.Type("编辑框设备", "x"));  // starts hidden
    EXPECT_FALSE(d.Leave("编辑框设备"));
    EXPECT_EQ(w["编辑框设备"].Text(), "");

    // A hidden group box hides what is inside it; a disabled tab control disables its pages.
    w["分组框2"].SetVisible(false);
    EXPECT_FALSE(d.Type("组合框1", "宽带连接"));
    EXPECT_FALSE(d.Click("单选框甲"));
    EXPECT_FALSE(w["单选框甲"].Checked());
    w["分组框2"].SetVisible(true);
    EXPECT_TRUE(d.Type("组合框1", "宽带连接"));
    w["选择夹1"].SetEnabled(false);
    EXPECT_FALSE(d.MoveSlider("滑块条色调", 10));
    EXPECT_FALSE(d.ChangePage("选择夹1", 1));

    // A label cannot be typed into.
    EXPECT_FALSE(d.Type("按钮右下角", "x"));
    EXPECT_EQ(log, std::vector<std::string>{"按钮开始 0"});
}

TEST_F(DriverTest, TypingLeavingAndKeys) {
    Recorder r(w);
    w["编辑框设备"].SetVisible(true);
    Note("编辑框设备", Event::FocusLost);
    Note("编辑框设备", Event::KeyUp);
    EXPECT_TRUE(d.Type("编辑框设备", "我的手机"));
    EXPECT_TRUE(log.empty());  // typing alone dispatches nothing
    EXPECT_TRUE(d.Key("编辑框设备", 13));
    EXPECT_TRUE(d.Leave("编辑框设备"));
    EXPECT_EQ(w["编辑框设备"].Text(), "我的手机");
    EXPECT_EQ(r.Values("编辑框设备", Property::Text), std::vector<std::string>{"我的手机"});
    EXPECT_EQ(log, (std::vector<std::string>{"编辑框设备 13", "编辑框设备 0"}));
}

TEST_F(DriverTest, MenusPagesAndSlider) {
    Note("退出", Event::ItemChosen);
    Note("选择夹1", Event::PageChanged);
    w.Bind("滑块条色调", Event::PositionChanged, [&](const EventArgs& a) {
        log.push_back("slider " + std::to_string(a.code) + " " +
                      std::to_string(w["滑块条色调"].Position()));
    });
    EXPECT_TRUE(d.Choose("退出"));
    w["显示界面"].SetEnabled(false);
    EXPECT_FALSE(d.Choose("显示界面"));
    EXPECT_FALSE(d.Choose("按钮右下角"));  // not a menu item

    EXPECT_TRUE(d.ChangePage("选择夹1", 3));
    EXPECT_EQ(w["选择夹1"].Position(), 3);
    EXPECT_TRUE(d.ChangePage("选择夹1", 3));  // already there: no event
    EXPECT_FALSE(d.ChangePage("选择夹1", 5));

    EXPECT_TRUE(d.MoveSlider("滑块条色调", 160));
    EXPECT_TRUE(d.MoveSlider("滑块条色调", 400));
    EXPECT_EQ(
        log, (std::vector<std::string>{"退出 0", "选择夹1 3", "slider 160 160", "slider 340 340"}));
}

TEST_F(DriverTest, RowClicksSelectThatRowOnlyBeforeTheEvent) {
    Control list = w["超级列表框1"];
    for (int i = 0; i < 3; ++i) {
        list.InsertRow();
    }
    list.SelectRow(0, true);
    list.SelectRow(2, true);
    w.Bind("超级列表框1", Event::RowRightClicked, [&](const EventArgs& a) {
        std::string rows;
        for (int r : list.SelectedRows()) {
            rows += std::to_string(r);
        }
        log.push_back("right " + std::to_string(a.code) + " [" + rows + "]");
        if (a.code >= 0 && list.RowSelected(a.code)) {
            w["菜单"].Popup();
        }
    });
    Note("超级列表框1", Event::DoubleClicked);
    Recorder r(w);
    EXPECT_TRUE(d.RightClickRow("超级列表框1", 1));
    EXPECT_TRUE(d.DoubleClickRow("超级列表框1", 2));
    EXPECT_TRUE(d.RightClickRow("超级列表框1", -1));
    EXPECT_FALSE(d.RightClickRow("超级列表框1", 3));
    EXPECT_EQ(log, (std::vector<std::string>{"right 1 [1]", "超级列表框1 2", "right -1 []"}));
    EXPECT_EQ(r.Count("菜单", Property::Popup), 1);
}

TEST_F(DriverTest, BalloonLinksTrayAndClose) {
    Note("气球提示框1", Event::LinkClicked);
    Note("主窗口", Event::TrayEvent);
    Note("主窗口", Event::CloseRequested);
    const std::string html =
        "<p align=center><a href=\"#\" msg=\"m7\">显示主界面</a> | "
        "<A HREF='#' MSG='m8' title=\"a>b\">关闭</A> <a msg=m9>x</a></p>";
    EXPECT_EQ(LinkMessages(html), (std::vector<std::string>{"m7", "m8", "m9"}));
    EXPECT_FALSE(d.ClickLink("气球提示框1", "m7"));  // not shown yet
    w["气球提示框1"].ShowBalloon(html, 0, 0);
    EXPECT_TRUE(d.ClickLink("气球提示框1", "m8"));
    EXPECT_FALSE(d.ClickLink("气球提示框1", "m6"));  // no such link

    EXPECT_FALSE(d.TrayEvent(2));  // no icon yet
    w.SetTrayIcon(kPictureTrayIdle, "WiFi");
    EXPECT_TRUE(d.TrayEvent(2));
    EXPECT_TRUE(d.Close());
    EXPECT_EQ(log, (std::vector<std::string>{"气球提示框1 0 m8", "主窗口 2", "主窗口 0"}));
}

TEST_F(DriverTest, MovingTheWindow) {
    Note("主窗口", Event::PositionChanged);
    EXPECT_FALSE(d.MoveWindow(10, 20));  // hidden windows cannot be dragged
    w.Self().SetVisible(true);
    EXPECT_TRUE(d.MoveWindow(10, 20));
    EXPECT_EQ(w.Self().Left(), 10);
    EXPECT_EQ(w.Self().Top(), 20);
    EXPECT_EQ(w.Self().Width(), 380);
    EXPECT_EQ(log, std::vector<std::string>{"主窗口 0"});
}

TEST_F(DriverTest, TimersFireInTimeOrderOnVirtualTime) {
    Note("时钟状态", Event::Tick);
    Note("时钟关机", Event::Tick);
    EXPECT_FALSE(d.FireTimer("时钟状态"));  // stopped
    w["时钟状态"].SetInterval(500);
    w["时钟关机"].SetInterval(1000);
    EXPECT_TRUE(d.FireTimer("时钟状态"));
    log.clear();

    EXPECT_EQ(d.AdvanceTimers(499), 0);
    EXPECT_EQ(d.AdvanceTimers(1601), 6);  // t = 500 1000 1000 1500 2000 2000
    EXPECT_EQ(d.Now(), 2100);
    EXPECT_EQ(log, (std::vector<std::string>{"时钟状态 0", "时钟状态 0", "时钟关机 0", "时钟状态 0",
                                             "时钟状态 0", "时钟关机 0"}));
}

TEST_F(DriverTest, HandlersStopStartAndRestartTimers) {
    // A one-shot: stops itself on its first tick and starts another timer.
    w.Bind("时钟状态", Event::Tick, [&](const EventArgs&) {
        log.push_back("once " + std::to_string(d.Now()));
        w["时钟状态"].SetInterval(0);
        w["时钟关机"].SetInterval(1000);
    });
    // Restarts itself with a longer interval.
    w.Bind("时钟关机", Event::Tick, [&](const EventArgs&) {
        log.push_back("shut " + std::to_string(d.Now()));
        w["时钟关机"].SetInterval(3000);
    });
    w["时钟状态"].SetInterval(5000);
    EXPECT_EQ(d.AdvanceTimers(10000), 3);
    EXPECT_EQ(log, (std::vector<std::string>{"once 5000", "shut 6000", "shut 9000"}));
    EXPECT_EQ(w["时钟状态"].Interval(), 0);
}

TEST_F(DriverTest, RestartingWithTheSameIntervalResetsThePhase) {
    Note("时钟循环列表", Event::Tick);
    w["时钟循环列表"].SetInterval(10000);
    d.AdvanceTimers(6000);
    w["时钟循环列表"].SetInterval(10000);  // restarted at 6000: next tick at 16000
    EXPECT_EQ(d.AdvanceTimers(9999), 0);
    EXPECT_EQ(d.AdvanceTimers(1), 1);
}

TEST(DriverTimers, ATimerRunningBeforeTheDriverIsPickedUp) {
    Window w(test::TestLayout());
    w["时钟关机"].SetInterval(1000);
    int ticks = 0;
    w.Bind("时钟关机", Event::Tick, [&](const EventArgs&) { ++ticks; });
    Driver d(w);
    EXPECT_EQ(d.AdvanceTimers(3500), 3);
    EXPECT_EQ(ticks, 3);
}

TEST_F(DriverTest, AYesNoQuestionInAStory) {
    MessageBoxScript boxes(w);
    boxes.Answer(6);
    w.Self().SetVisible(true);
    w.Bind("退出", Event::ItemChosen, [&](const EventArgs&) {
        if (w.ShowMessage("确定退出？", "提示", 4) == 6) {
            w.Self().SetVisible(false);
        }
    });
    EXPECT_TRUE(d.Choose("退出"));
    EXPECT_FALSE(w.Self().Visible());
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, "确定退出？");
}

}  // namespace
}  // namespace hs::ui
