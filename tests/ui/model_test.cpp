// The control model's observable behaviour: initial state, notifications, radio
// groups, positions, lists, timers, theme, tray, message boxes, handlers.
#include <gtest/gtest.h>

#include "tests/ui/layout.h"
#include "ui/model.h"
#include "ui/recorder.h"

namespace hs::ui {
namespace {

using test::TestLayout;

TEST(Model, StartsAsTheLayoutSays) {
    Window w(TestLayout());
    EXPECT_EQ(w.ControlCount(), static_cast<int>(TestLayout().size()));
    EXPECT_EQ(w.Self().Name(), "主窗口");
    EXPECT_EQ(w.Self().GetKind(), Kind::Window);
    EXPECT_FALSE(w.Self().Visible());
    EXPECT_EQ(w.Self().Width(), 380);
    EXPECT_EQ(w["编辑框名称"].Text(), "mylove");
    EXPECT_TRUE(w["选择框1"].Checked());
    EXPECT_FALSE(w["按钮开始"].Enabled());
    EXPECT_EQ(w["按钮开始"].Text(), "初始化中\r\n请稍后");
    EXPECT_FALSE(w["编辑框设备"].Visible());
    EXPECT_EQ(w["选择夹1"].Position(), 0);
    EXPECT_EQ(w["组合框1"].Position(), -1);
    EXPECT_EQ(w["时钟状态"].Interval(), 0);
    EXPECT_EQ(w["超级列表框1"].ColumnCount(), 4);
    EXPECT_EQ(w["超级列表框1"].Columns()[1].caption, "用户ip地址");
    EXPECT_EQ(w.Spec(w["滑块条色调"].Index()).maximum, 340);
    EXPECT_TRUE(w.Themed());
    EXPECT_EQ(w.Hue(), 0);
}

TEST(Model, FindIsByExactName) {
    Window w(TestLayout());
    EXPECT_TRUE(w.Find("按钮开始"));
    EXPECT_FALSE(w.Find("按钮"));
    EXPECT_FALSE(w.Find("按钮开始 "));
    EXPECT_EQ(w.Find("时钟关机").Index(), w["时钟关机"].Index());
}

TEST(ModelDeathTest, MissingControlAbortsNamingIt) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Window w(TestLayout());
    EXPECT_DEATH(w["按钮不存在"], "按钮不存在");
}

TEST(Model, InvalidHandleReadsDefaultsAndIgnoresWrites) {
    Window w(TestLayout());
    Control none = w.Find("没有");
    none.SetText("x");
    none.InsertRow();
    EXPECT_EQ(none.Text(), "");
    EXPECT_EQ(none.RowCount(), 0);
    EXPECT_EQ(none.FirstSelectedRow(), -1);
    EXPECT_EQ(w.At(999).Text(), "");
}

TEST(Model, ObserversAreToldOfEachChangeOnce) {
    Window w(TestLayout());
    Recorder r(w);
    Control name = w["编辑框名称"];
    name.SetText("home");
    name.SetText("home");
    w["按钮开始"].SetEnabled(true);
    w["按钮开始"].SetEnabled(true);
    w["编辑框设备"].SetVisible(false);  // already hidden
    w["编辑框名称"].SetInputMode(kPasswordInput);
    w["编辑框名称"].Move(1, 2, 3, 4);
    w["编辑框名称"].Move(1, 2, 3, 4);
    w["分组框2"].SetTitleColour({255, 0, 0});
    w["分组框2"].SetTitleColour({255, 0, 0});
    w["编辑框名称"].SetTip("tip", true);
    w["编辑框名称"].SetTip("tip", true);
    w.Self().SetTopmost(true);

    std::vector<std::string> got;
    for (const auto& c : r.Changes()) {
        got.push_back(c.control + "=" + c.value);
    }
    EXPECT_EQ(got, (std::vector<std::string>{"编辑框名称=home", "按钮开始=1", "编辑框名称=2",
                                             "编辑框名称=1,2,3,4", "分组框2=255,0,0",
                                             "编辑框名称=tip", "主窗口=1"}));
    EXPECT_TRUE(w["编辑框名称"].TipStyled());
}

TEST(Model, ObserverSeesTheNewValueAndMayWriteBack) {
    Window w(TestLayout());
    std::vector<std::string> seen;
    w.AddObserver([&](Control c, Property p) {
        if (p == Property::Text && c.Name() == "编辑框名称") {
            seen.push_back(c.Text());
            c.Owner()["按钮右下角"].SetText("echo " + c.Text());  // lock is not held
        }
    });
    w["编辑框名称"].SetText("a");
    EXPECT_EQ(seen, std::vector<std::string>{"a"});
    EXPECT_EQ(w["按钮右下角"].Text(), "echo a");
}

TEST(Model, RemovedObserverHearsNothingMore) {
    Window w(TestLayout());
    int calls = 0;
    int id = w.AddObserver([&](Control, Property) { ++calls; });
    w["编辑框名称"].SetText("a");
    w.RemoveObserver(id);
    w["编辑框名称"].SetText("b");
    EXPECT_EQ(calls, 1);
}

TEST(Model, RadioGroupsArePerContainer) {
    Window w(TestLayout());
    Recorder r(w);
    w["单选框监控"].SetChecked(true);
    w["单选框甲"].SetChecked(true);  // another container: the first group keeps its choice
    w["单选框丙"].SetChecked(true);  // another page of the same tab control: likewise
    EXPECT_TRUE(w["单选框监控"].Checked());
    w["单选框不监控"].SetChecked(true);
    EXPECT_FALSE(w["单选框监控"].Checked());
    EXPECT_TRUE(w["单选框不监控"].Checked());
    EXPECT_TRUE(w["单选框甲"].Checked());
    EXPECT_EQ(r.Values("单选框监控", Property::Checked), (std::vector<std::string>{"1", "0"}));
    // Unchecking one leaves the others alone.
    w["单选框不监控"].SetChecked(false);
    EXPECT_FALSE(w["单选框监控"].Checked());
    // Checkboxes are no group.
    w["选择框1"].SetChecked(false);
    EXPECT_TRUE(w["单选框甲"].Checked());
}

TEST(Model, PositionsStayInRange) {
    Window w(TestLayout());
    Control slider = w["滑块条色调"];
    Recorder r(w);
    slider.SetPosition(310);
    slider.SetPosition(500);
    EXPECT_EQ(slider.Position(), 340);
    slider.SetPosition(-3);
    EXPECT_EQ(slider.Position(), 0);
    slider.SetPosition(0);
    EXPECT_EQ(r.Values("滑块条色调", Property::Position),
              (std::vector<std::string>{"310", "340", "0"}));

    Control tab = w["选择夹1"];
    tab.SetPosition(4);
    tab.SetPosition(5);  // no such page
    EXPECT_EQ(tab.Position(), 4);
}

TEST(Model, ComboItemsAndSelection) {
    Window w(TestLayout());
    Control combo = w["组合框1"];
    combo.AddItem("本地连接");
    combo.AddItem("宽带连接");
    EXPECT_EQ(combo.Items(), (std::vector<std::string>{"本地连接", "宽带连接"}));
    combo.SetPosition(1);
    EXPECT_EQ(combo.Text(), "宽带连接");
    combo.SetText("typed");  // the user's own text; the selection stays
    EXPECT_EQ(combo.Position(), 1);
    combo.SetPosition(7);
    EXPECT_EQ(combo.Position(), -1);
    EXPECT_EQ(combo.Text(), "typed");
    combo.SetPosition(0);
    combo.SetItems({"Wi-Fi"});
    EXPECT_EQ(combo.Position(), -1);
    EXPECT_EQ(combo.Text(), "本地连接");
}

TEST(Model, ListRowsCellsAndSelection) {
    Window w(TestLayout());
    Control list = w["超级列表框1"];
    Recorder r(w);
    EXPECT_EQ(list.InsertRow(), 0);
    EXPECT_EQ(list.InsertRow(), 1);
    EXPECT_EQ(list.InsertRow(0), 0);   // before the others
    EXPECT_EQ(list.InsertRow(99), 3);  // past the end appends
    EXPECT_EQ(list.Rows()[0], std::vector<std::string>(4));
    for (int i = 0; i < 4; ++i) {
        list.SetCell(i, 1, std::string("192.168.137.").append(std::to_string(i)));
    }
    list.SetCell(0, 4, "no such column");
    list.SetCell(9, 0, "no such row");
    EXPECT_EQ(list.Cell(0, 4), "");
    EXPECT_EQ(list.Cell(2, 1), "192.168.137.2");

    list.SelectRow(1, true);
    list.SelectRow(3, true);
    list.SelectRow(3, true);  // unchanged: no notification
    EXPECT_EQ(list.SelectedRows(), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.FirstSelectedRow(), 1);
    // Deleting a row moves the selection with the rows below it.
    list.DeleteRow(0);
    EXPECT_EQ(list.SelectedRows(), (std::vector<int>{0, 2}));
    EXPECT_EQ(list.Cell(0, 1), "192.168.137.1");
    list.SelectRow(-1, false);
    EXPECT_EQ(list.SelectedCount(), 0);
    list.SelectRow(-1, true);
    EXPECT_EQ(list.SelectedCount(), 3);
    list.ClearRows();
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_FALSE(list.RowSelected(0));
    EXPECT_EQ(r.Count("超级列表框1", Property::Selection), 5);
    EXPECT_EQ(r.Values("超级列表框1", Property::Rows).back(), "0");
}

TEST(Model, TimersAreRestartedBySettingTheirInterval) {
    Window w(TestLayout());
    Recorder r(w);
    Control timer = w["时钟状态"];
    timer.SetInterval(500);
    timer.SetInterval(500);  // a restart: told again
    timer.SetInterval(0);
    timer.SetInterval(0);
    timer.SetInterval(-5);
    EXPECT_EQ(timer.Interval(), 0);
    EXPECT_EQ(r.Values("时钟状态", Property::Interval),
              (std::vector<std::string>{"500", "500", "0"}));
    // Outside timers, an unchanged interval is no change.
    w["编辑框名称"].SetInterval(0);
    EXPECT_EQ(r.Count("编辑框名称", Property::Interval), 0);
}

TEST(Model, BalloonPopupAndDocuments) {
    Window w(TestLayout());
    Recorder r(w);
    Control balloon = w["气球提示框1"];
    balloon.ShowBalloon("<p>密码至少8位</p>", 250, 300);
    balloon.ShowBalloon("<p>密码至少8位</p>", 250, 300);  // shown again: still a request
    EXPECT_TRUE(balloon.BalloonShown());
    EXPECT_EQ(balloon.BalloonX(), 250);
    EXPECT_EQ(balloon.BalloonY(), 300);
    EXPECT_EQ(balloon.Document(), "<p>密码至少8位</p>");
    balloon.HideBalloon();
    balloon.HideBalloon();
    EXPECT_EQ(r.Values("气球提示框1", Property::Balloon),
              (std::vector<std::string>{"1", "1", "0"}));
    EXPECT_EQ(r.Count("气球提示框1", Property::Document), 1);
    w["菜单"].Popup();
    w["菜单"].Popup();
    EXPECT_EQ(r.Count("菜单", Property::Popup), 2);
    w["菜单"].SetPicture(kPictureStatusIdle);
    EXPECT_EQ(w["菜单"].Picture(), "status-idle");
}

TEST(Model, ThemeAndTray) {
    Window w(TestLayout());
    Recorder r(w);
    w.SetHue(150);
    w.SetHue(150);
    w.SetThemed(false);
    w.SetThemed(false);
    EXPECT_EQ(w.Hue(), 150);
    EXPECT_FALSE(w.Themed());
    EXPECT_EQ(r.Count("主窗口", Property::Palette), 2);

    w.SetTrayIcon(kPictureTrayIdle, "未启动");
    w.SetTrayIcon(kPictureTrayIdle, "未启动");
    w.SetTrayIcon(kPictureTrayRunning, "未启动");
    EXPECT_TRUE(w.TrayShown());
    EXPECT_EQ(w.TrayPicture(), "tray-running");
    EXPECT_EQ(w.TrayTip(), "未启动");
    w.RemoveTrayIcon();
    w.RemoveTrayIcon();
    EXPECT_FALSE(w.TrayShown());
    EXPECT_EQ(r.Values("主窗口", Property::Tray),
              (std::vector<std::string>{"tray-idle", "tray-running", ""}));
}

TEST(Model, MessageBoxesWithoutAndWithAHandler) {
    Window w(TestLayout());
    EXPECT_EQ(w.ShowMessage("a", "b", 0x40), 1);
    EXPECT_EQ(w.ShowMessage("a", "b", 4 | 0x20), 7);
    {
        MessageBoxScript script(w);
        script.Answer(6);
        EXPECT_EQ(w.ShowMessage("确定要退出吗？", "提示", 4), 6);
        EXPECT_EQ(w.ShowMessage("again", "提示", 4), 7);
        EXPECT_EQ(w.ShowMessage("info", "提示", 0x10), 1);
        auto seen = script.Seen();
        ASSERT_EQ(seen.size(), 3u);
        EXPECT_EQ(seen[0].text, "确定要退出吗？");
        EXPECT_EQ(seen[0].caption, "提示");
        EXPECT_EQ(seen[0].answer, 6);
        EXPECT_EQ(seen[2].flags, 0x10);
    }
    w.SetMessageBoxHandler([](const std::string&, const std::string&, int) { return 6; });
    EXPECT_EQ(w.ShowMessage("a", "b", 4), 6);
}

TEST(Model, HandlersRunWithoutTheLockAndMayDispatchAgain) {
    Window w(TestLayout());
    std::vector<std::string> order;
    w.Bind("按钮右下角", Event::Clicked, [&](const EventArgs&) {
        order.push_back("outer");
        w["编辑框名称"].SetText(w["编辑框名称"].Text() + "!");
        w.Dispatch("时钟状态", Event::Tick, {3, "x"});
        // Rebinding itself while running is safe: the running copy stays alive.
        w.Bind("按钮右下角", Event::Clicked, [&](const EventArgs&) { order.push_back("new"); });
    });
    w.Bind("时钟状态", Event::Tick,
           [&](const EventArgs& a) { order.push_back("tick " + std::to_string(a.code) + a.text); });
    EXPECT_TRUE(w.HasHandler("按钮右下角", Event::Clicked));
    EXPECT_FALSE(w.HasHandler("按钮右下角", Event::DoubleClicked));
    EXPECT_TRUE(w.Dispatch("按钮右下角", Event::Clicked));
    EXPECT_TRUE(w.Dispatch("按钮右下角", Event::Clicked));
    EXPECT_FALSE(w.Dispatch("按钮右下角", Event::DoubleClicked));
    EXPECT_EQ(order, (std::vector<std::string>{"outer", "tick 3x", "new"}));
    EXPECT_EQ(w["编辑框名称"].Text(), "mylove!");
    w.Bind("时钟状态", Event::Tick, nullptr);
    EXPECT_FALSE(w.HasHandler("时钟状态", Event::Tick));
}

TEST(Model, AWindowWithoutItsOwnRowGetsOne) {
    Window w({test::Make("按钮", Kind::Button)});
    EXPECT_EQ(w.Self().GetKind(), Kind::Window);
    EXPECT_EQ(w.ControlCount(), 2);
    EXPECT_EQ(w["按钮"].Index(), 1);
}

}  // namespace
}  // namespace hs::ui
