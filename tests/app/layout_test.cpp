#include "app/layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/app.h"
#include "app/bindings.h"
#include "app/window_events.h"
#include "sys/dispatcher.h"
#include "tests/app/app_host.h"

namespace hs::app {
namespace {

std::map<std::string, ui::ControlSpec> ByName(const std::vector<ui::ControlSpec>& rows) {
    std::map<std::string, ui::ControlSpec> named;
    for (const auto& row : rows) {
        EXPECT_TRUE(named.emplace(row.name, row).second) << "duplicate name " << row.name;
    }
    return named;
}

TEST(Layout, EveryContainerExistsAndEveryControlSitsOnItsGroupsPage) {
    for (const auto& rows : {MainWindowLayout(), TrafficBarLayout()}) {
        const auto named = ByName(rows);
        ASSERT_EQ(rows[0].kind, ui::Kind::Window);
        EXPECT_TRUE(rows[0].hidden);
        for (size_t i = 1; i < rows.size(); ++i) {
            const auto& row = rows[i];
            EXPECT_NE(row.kind, ui::Kind::Window) << row.name;
            if (row.container.empty())
                continue;
            ASSERT_TRUE(named.count(row.container)) << row.name << " in " << row.container;
            const auto& container = named.at(row.container);
            switch (container.kind) {
                case ui::Kind::Tab:
                    EXPECT_GE(row.page, 0) << row.name;
                    EXPECT_LT(row.page, static_cast<int>(container.pages.size())) << row.name;
                    break;
                case ui::Kind::GroupBox:
                    EXPECT_EQ(row.page, container.page) << row.name;
                    break;
                case ui::Kind::PopupMenu:
                    EXPECT_EQ(row.kind, ui::Kind::MenuItem) << row.name;
                    EXPECT_EQ(row.caption, row.name);
                    break;
                default:
                    ADD_FAILURE() << row.name << " sits in " << row.container;
            }
        }
    }
}

// The layouts at 96 DPI (100 %), 120 DPI (125 %) and 144 DPI (150 %): the windows
// are built at the system's DPI, and the frame the system draws grows with it.
class LayoutAtDpi : public ::testing::TestWithParam<int> {};

INSTANTIATE_TEST_SUITE_P(Dpi, LayoutAtDpi, ::testing::Values(96, 120, 144));

TEST_P(LayoutAtDpi, EveryControlOfAPageIsInsideTheWindowOrItsGroup) {
    // The frame and caption take some 30 pixels of the window's height and 6 of its
    // width at 96 DPI (give or take a few with the theme); a control below or right of
    // what is left is cut off or never seen. Rows created hidden are not shown where
    // they stand, and the blacklist's group is seen only once page "管理用户" grows the
    // window.
    const int dpi = GetParam();
    SCOPED_TRACE(dpi);
    ui::Window main(MainWindowLayout(), dpi);
    const int slack = main.Scaled(4);
    const int frameHeight = main.Scaled(30), frameWidth = main.Scaled(6);
    const ui::Control window = main.Self();
    // Every rectangle grows by dpi/96, to the pixel: nothing keeps its 96-DPI size.
    const auto designed = MainWindowLayout();
    for (int i = 0; i < main.ControlCount(); ++i) {
        const ui::ControlSpec& row = designed[static_cast<size_t>(i)];
        const ui::Control c = main.At(i);
        SCOPED_TRACE(row.name);
        const auto near = [dpi](int scaled, int pixels) {
            EXPECT_NEAR(scaled, pixels * dpi / 96.0, 1.0);
        };
        near(c.Left(), row.left);
        near(c.Top(), row.top);
        near(c.Width(), row.width);
        near(c.Height(), row.height);
    }
    for (int i = 1; i < main.ControlCount(); ++i) {
        const ui::ControlSpec& row = main.Spec(i);
        const ui::Control c = main.At(i);
        if (row.container.empty() || c.Width() <= 0 || c.Height() <= 0 || row.hidden ||
            row.name == "分组框3")
            continue;
        const ui::Control container = main[row.container];
        SCOPED_TRACE(row.name);
        if (container.GetKind() == ui::Kind::Tab) {
            EXPECT_LE(c.Top() + c.Height(), window.Height() - frameHeight + slack);
            EXPECT_LE(c.Left() + c.Width(), window.Width() - frameWidth + slack);
        } else if (container.GetKind() == ui::Kind::GroupBox) {
            EXPECT_LE(c.Top() + c.Height(), container.Height() + slack);
            EXPECT_LE(c.Left() + c.Width(), container.Width() + slack);
            EXPECT_GE(c.Left(), 0);
        }
        // A report list's columns fit in it as they do at 96 DPI.
        int columns = 0;
        for (const ui::Column& column : c.Columns())
            columns += column.width;
        EXPECT_LE(columns, c.Width());
    }
    // The page of the devices grows the window until the blacklist shows whole, and
    // every other page gives it back its height.
    testing_support::AppHost sim;
    sim.desktop.dpi = dpi;
    QueueDispatcher dispatcher;
    App app(sim.host, dispatcher);
    ASSERT_EQ(app.Main().Dpi(), dpi);
    ui::EventArgs users;
    users.code = kPageUsers;
    app.Main()["选择夹1"].SetPosition(kPageUsers);
    ASSERT_TRUE(app.Main().Dispatch("选择夹1", ui::Event::PageChanged, users));
    const ui::Control tab = app.Main()["选择夹1"];
    const ui::Control blacklist = app.Main()["分组框3"];
    EXPECT_LE(tab.Top() + blacklist.Top() + blacklist.Height(),
              app.Main().Self().Height() - frameHeight + slack);
    ui::EventArgs first;
    app.Main()["选择夹1"].SetPosition(0);
    ASSERT_TRUE(app.Main().Dispatch("选择夹1", ui::Event::PageChanged, first));
    EXPECT_EQ(app.Main().Self().Height(), app.Main().Scaled(kMainWindowHeight));
}

TEST(Layout, AtNinetySixDpiEveryWindowIsPixelForPixelItsTable) {
    for (const auto& rows : {MainWindowLayout(), TrafficBarLayout(), JoinWindowLayout()}) {
        ui::Window window(rows, kBaseDpi);
        ASSERT_EQ(window.ControlCount(), static_cast<int>(rows.size()));
        for (int i = 0; i < window.ControlCount(); ++i) {
            const ui::Control c = window.At(i);
            SCOPED_TRACE(c.Name());
            EXPECT_EQ(std::make_tuple(c.Left(), c.Top(), c.Width(), c.Height()),
                      std::make_tuple(rows[i].left, rows[i].top, rows[i].width, rows[i].height));
            std::vector<int> widths, designed;
            for (const ui::Column& column : c.Columns())
                widths.push_back(column.width);
            for (const ui::Column& column : rows[i].columns)
                designed.push_back(column.width);
            EXPECT_EQ(widths, designed);
        }
    }
}

TEST(Layout, TheMainWindowAsDesigned) {
    const auto rows = MainWindowLayout();
    const auto c = ByName(rows);
    EXPECT_EQ(rows[0].name, "主窗口");
    EXPECT_EQ(std::tie(rows[0].left, rows[0].top, rows[0].width, rows[0].height),
              std::make_tuple(50, 50, 380, 260));
    const auto& tab = c.at("选择夹1");
    EXPECT_EQ(tab.pages,
              (std::vector<std::string>{"主界面", "管理用户", "设置中心", "流量统计", "帮助信息"}));
    EXPECT_EQ(std::tie(tab.left, tab.top, tab.width, tab.height),
              std::make_tuple(-1, -2, 417, 330));

    const auto& start = c.at("按钮开始");
    EXPECT_EQ(start.caption, "初始化中\r\n请稍后");
    EXPECT_TRUE(start.disabled);
    EXPECT_EQ(start.page, 0);
    EXPECT_EQ(c.at("标签启动成功").caption, "WiFi共享成功啦！\r\n赶紧拿手机来连接吧！");
    EXPECT_TRUE(c.at("标签启动成功").hidden);
    EXPECT_TRUE(c.at("选择框1").checked);
    EXPECT_EQ(c.at("编辑框密码").inputMode, ui::kPlainInput);
    EXPECT_TRUE(c.at("编辑框虚拟网卡").disabled);
    EXPECT_TRUE(c.at("超文本浏览框1").hidden);
    EXPECT_TRUE(c.at("编辑框去除多个本地").hidden);
    EXPECT_EQ(c.at("标签3").container, "");
    EXPECT_EQ(c.at("标签3").caption, "设备总数[0]");

    const auto& slider = c.at("滑块条色调");
    EXPECT_EQ(std::tie(slider.minimum, slider.maximum), std::make_tuple(0, 340));
    EXPECT_EQ(slider.container, "分组框1");
    EXPECT_EQ(slider.page, 2);

    const auto& clients = c.at("超级列表框1");
    ASSERT_EQ(clients.columns.size(), 4u);
    EXPECT_EQ(clients.columns[1].caption, "用户ip地址");
    EXPECT_EQ(clients.columns[3].width, 102);
    const auto& blacklist = c.at("超级列表框2");
    ASSERT_EQ(blacklist.columns.size(), 3u);
    EXPECT_EQ(blacklist.columns[0].caption, "");
    EXPECT_EQ(blacklist.columns[0].width, 0);
    EXPECT_EQ(blacklist.columns[1].width, 170);
    EXPECT_EQ(blacklist.container, "分组框3");

    EXPECT_EQ(c.at("标签本次总流量").font, "微软雅黑");
    EXPECT_EQ(c.at("标签本次下载流量").font, "微软雅黑");
    EXPECT_EQ(c.at("标签1").font, "Verdana");

    // All timers are stored stopped; the menus are hidden.
    int timers = 0;
    for (const auto& row : rows) {
        if (row.kind == ui::Kind::Timer)
            ++timers;
        if (row.kind == ui::Kind::PopupMenu) {
            EXPECT_TRUE(row.hidden) << row.name;
        }
    }
    EXPECT_EQ(timers, 6);
    EXPECT_EQ(c.at("显示界面").container, "菜单");
    EXPECT_EQ(c.at("退出").container, "菜单");
    EXPECT_EQ(c.at("拉入黑名单").container, "加黑");
    EXPECT_EQ(c.at("取消黑名单").container, "取消黑");
}

TEST(Layout, TheTrafficBarAsDesigned) {
    const auto rows = TrafficBarLayout();
    const auto c = ByName(rows);
    EXPECT_EQ(rows[0].name, "流量条");
    EXPECT_EQ(std::tie(rows[0].left, rows[0].top, rows[0].width, rows[0].height),
              std::make_tuple(50, 50, 155, 23));
    EXPECT_TRUE(c.at("下载透明标签").disabled);
    EXPECT_TRUE(c.at("上传透明标签").disabled);
    EXPECT_EQ(c.at("上传透明标签").font, "新宋体");
    EXPECT_EQ(c.at("下载透明标签").caption, "KB/S");
    EXPECT_EQ(c.at("透明标签1").top, -6);
    EXPECT_EQ(c.at("时钟流量").kind, ui::Kind::Timer);
}

TEST(Bindings, EveryRowNamesAControlOfItsWindowAndIsBound) {
    testing_support::AppHost sim;
    QueueDispatcher dispatcher;
    App app(sim.host, dispatcher);
    std::set<std::pair<std::string, int>> seen;
    for (const Binding& binding : EventBindings()) {
        ui::Window& window = binding.window == WindowId::Main ? app.Main() : app.Bar();
        EXPECT_TRUE(window.Find(binding.control).Valid()) << binding.control;
        EXPECT_TRUE(window.HasHandler(binding.control, binding.event)) << binding.control;
        const auto key = std::make_pair(
            std::string(binding.window == WindowId::Main ? "m" : "b") + binding.control,
            static_cast<int>(binding.event));
        EXPECT_TRUE(seen.insert(key).second) << "bound twice: " << binding.control;
    }
    EXPECT_EQ(EventBindings().size(), 42u);
    // The pictures the windows hold from the start.
    EXPECT_EQ(app.Main()["图片框下载"].Picture(), ui::kPictureArrowDown);
    EXPECT_EQ(app.Main()["图片框上传"].Picture(), ui::kPictureArrowUp);
    // The bar is created unthemed.
    app.Bar().Dispatch("流量条", ui::Event::Created);
    EXPECT_FALSE(app.Bar().Themed());
}

TEST(Bindings, ClosingTheWindowEndsTheProgram) {
    testing_support::AppHost sim;
    QueueDispatcher dispatcher;
    App app(sim.host, dispatcher);
    int hooked = -1;
    app.quitHook = [&](int code) { hooked = code; };
    EXPECT_FALSE(app.Ending());
    EXPECT_TRUE(app.Main().Dispatch("主窗口", ui::Event::CloseRequested));
    EXPECT_FALSE(app.Ending());  // the collapse and the return to idle run first
    app.Settle();
    EXPECT_TRUE(app.Ending());
    EXPECT_EQ(app.ExitCode(), 0);
    EXPECT_EQ(hooked, 0);
}

}  // namespace
}  // namespace hs::app
