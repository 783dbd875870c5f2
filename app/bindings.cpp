#include "app/bindings.h"

#include "app/exit.h"
#include "app/layout.h"
#include "app/startup.h"
#include "hotspot/start_sharing.h"
#include "hotspot/status_animation.h"
#include "hotspot/upstream.h"
#include "settings/show_password.h"
#include "settings/theme.h"

namespace hs::app {

namespace {

using ui::Event;

void OnMainCreated(App& app, const ui::EventArgs&) {
    MainWindowCreated(app);
}

// The bar is never themed; the rest of its set-up comes with the traffic bar.
void OnBarCreated(App& app, const ui::EventArgs&) {
    settings::DetachSkin(app.Bar());
}

void OnShowPassword(App& app, const ui::EventArgs&) {
    settings::OnShowPasswordClicked(app.GetHost(), app.Main());
}

void OnHueSlider(App& app, const ui::EventArgs&) {
    settings::ApplyHuePosition(app.GetHost(), app.Main());
}

void OnRestoreHue(App& app, const ui::EventArgs&) {
    settings::RestoreDefaultHue(app.GetHost(), app.Main());
}

void OnStartButton(App& app, const ui::EventArgs&) {
    hotspot::OnStartButtonClicked(app);
}

void OnStatusTick(App& app, const ui::EventArgs&) {
    hotspot::OnStatusTimer(app);
}

void OnSuccessTipTick(App& app, const ui::EventArgs&) {
    hotspot::OnSuccessTipTimer(app);
}

void OnUpstreamLeft(App& app, const ui::EventArgs&) {
    hotspot::OnUpstreamFocusLost(app);
}

void OnRememberUpstream(App& app, const ui::EventArgs&) {
    hotspot::OnRememberUpstreamClicked(app);
}

void OnViewConnections(App& app, const ui::EventArgs&) {
    hotspot::OnViewConnectionsClicked(app);
}

}  // namespace

void NotBuiltYet(App&, const ui::EventArgs&) {}

const std::vector<Binding>& EventBindings() {
    static const std::vector<Binding> table = {
        {WindowId::Main, kMainWindowName, Event::Created, OnMainCreated, "program set-up"},
        {WindowId::Main, kMainWindowName, Event::CloseRequested, ExitAtOnce,
         "stop everything and exit"},
        {WindowId::Main, kMainWindowName, Event::TrayEvent, NotBuiltYet,
         "restore window or pop up 菜单"},
        {WindowId::Main, kMainWindowName, Event::RightUp, NotBuiltYet, "pop up 菜单"},
        {WindowId::Main, "显示界面", Event::ItemChosen, NotBuiltYet, "show main window"},
        {WindowId::Main, "退出", Event::ItemChosen, ExitAtOnce, "stop everything and exit"},
        {WindowId::Main, "按钮右下角", Event::Clicked, NotBuiltYet, "hide to notification area"},
        {WindowId::Main, "选择夹1", Event::PageChanged, NotBuiltYet,
         "resize window, start or stop traffic refresh"},
        {WindowId::Main, "按钮开始", Event::Clicked, OnStartButton, "start or stop sharing"},
        {WindowId::Main, "时钟状态", Event::Tick, OnStatusTick,
         "animate the status picture while sharing starts"},
        {WindowId::Main, "时钟启动成功提示", Event::Tick, OnSuccessTipTick,
         "hide the success message"},
        {WindowId::Main, "选择框1", Event::Clicked, OnShowPassword,
         "show or mask the password, save the choice"},
        {WindowId::Main, "组合框1", Event::FocusLost, OnUpstreamLeft,
         "normalise and save the chosen upstream connection name"},
        {WindowId::Main, "选择框2", Event::Clicked, OnRememberUpstream,
         "remember or forget the upstream choice"},
        {WindowId::Main, "按钮查看连接", Event::Clicked, OnViewConnections,
         "open the system's network connections view"},
        {WindowId::Main, "超级列表框1", Event::DoubleClicked, NotBuiltYet,
         "start editing the device name"},
        {WindowId::Main, "超级列表框1", Event::RowRightClicked, NotBuiltYet, "pop up 加黑"},
        {WindowId::Main, "拉入黑名单", Event::ItemChosen, NotBuiltYet,
         "blacklist the selected device"},
        {WindowId::Main, "超级列表框2", Event::RowRightClicked, NotBuiltYet, "pop up 取消黑"},
        {WindowId::Main, "取消黑名单", Event::ItemChosen, NotBuiltYet,
         "release the selected device"},
        {WindowId::Main, "编辑框设备", Event::FocusLost, NotBuiltYet,
         "save the edited device name"},
        {WindowId::Main, "编辑框设备", Event::KeyUp, NotBuiltYet,
         "save the edited device name on Enter"},
        {WindowId::Main, "时钟循环列表", Event::Tick, NotBuiltYet,
         "restart the client-list worker"},
        {WindowId::Main, "单选框监控", Event::Clicked, NotBuiltYet, "monitoring on"},
        {WindowId::Main, "单选框不监控", Event::Clicked, NotBuiltYet, "monitoring off"},
        {WindowId::Main, "时钟流量统计", Event::Tick, NotBuiltYet, "refresh session totals"},
        {WindowId::Main, "选择框显示流量", Event::Clicked, NotBuiltYet,
         "show or hide the traffic bar, save the choice"},
        {WindowId::Main, "时钟流量条延时", Event::Tick, NotBuiltYet,
         "open the traffic bar once after sharing started"},
        {WindowId::Main, "滑块条色调", Event::PositionChanged, OnHueSlider,
         "apply and save the skin hue"},
        {WindowId::Main, "按钮色调", Event::Clicked, OnRestoreHue, "restore the default hue"},
        {WindowId::Main, "选择框关机", Event::Clicked, NotBuiltYet, "arm or disarm timed shutdown"},
        {WindowId::Main, "时钟关机", Event::Tick, NotBuiltYet, "shutdown countdown"},
        {WindowId::Bar, kBarWindowName, Event::Created, OnBarCreated, "bar set-up"},
        {WindowId::Bar, kBarWindowName, Event::PositionChanged, NotBuiltYet,
         "save the bar position"},
        {WindowId::Bar, "时钟流量", Event::Tick, NotBuiltYet, "refresh rates"},
        {WindowId::Bar, "透明标签1", Event::LeftDown, NotBuiltYet, "start dragging the bar"},
        {WindowId::Bar, "透明标签1", Event::DoubleClicked, NotBuiltYet, "show the main window"},
        {WindowId::Bar, "透明标签1", Event::RightDown, NotBuiltYet, "show the bar's link menu"},
        {WindowId::Bar, "气球提示框1", Event::LinkClicked, NotBuiltYet, "act on m7 or m8"},
    };
    return table;
}

}  // namespace hs::app
