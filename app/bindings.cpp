#include "app/bindings.h"

#include "app/clients_view.h"
#include "app/exit.h"
#include "app/hotspot_view.h"
#include "app/join_window.h"
#include "app/layout.h"
#include "app/show_password.h"
#include "app/shutdown_events.h"
#include "app/startup.h"
#include "app/theme.h"
#include "app/traffic_view.h"
#include "app/window_events.h"
#include "hotspot/start_sharing.h"
#include "hotspot/upstream.h"

namespace hs::app {

namespace {

using ui::Event;

void OnMainCreated(App& app, const ui::EventArgs&) {
    MainWindowCreated(app);
}

// The bar is never themed; it keeps its own look.
void OnBarCreated(App& app, const ui::EventArgs&) {
    DetachSkin(app.Bar());
    app.Traffic().SetUpBar();
}

void OnTotalsTick(App& app, const ui::EventArgs&) {
    app.Traffic().RefreshTotals();
}

void OnShowBarClicked(App& app, const ui::EventArgs&) {
    app.Traffic().ShowBarClicked();
}

void OnBarOpenTick(App& app, const ui::EventArgs&) {
    app.Traffic().OpenBar();
}

void OnBarMoved(App& app, const ui::EventArgs&) {
    app.Traffic().SaveBarPosition();
}

void OnRateTick(App& app, const ui::EventArgs&) {
    app.Traffic().RefreshRates();
}

void OnBarDoubleClicked(App& app, const ui::EventArgs&) {
    app.Traffic().ShowMainFromBar();
}

void OnBarRightDown(App& app, const ui::EventArgs&) {
    app.Traffic().ShowBubbleMenu();
}

void OnBarLink(App& app, const ui::EventArgs& args) {
    app.Traffic().LinkClicked(args.text);
}

void OnShowPassword(App& app, const ui::EventArgs&) {
    OnShowPasswordClicked(app.GetHost(), app.Main());
}

void OnHueSlider(App& app, const ui::EventArgs&) {
    ApplyHuePosition(app.GetHost(), app.Main());
}

void OnRestoreHue(App& app, const ui::EventArgs&) {
    RestoreDefaultHue(app.GetHost(), app.Main());
}

void OnStartButton(App& app, const ui::EventArgs&) {
    hotspot::OnStartButtonClicked(app.Hotspot(), app.HotspotControls().StartPressed());
}

void OnStatusTick(App& app, const ui::EventArgs&) {
    app.HotspotControls().StatusTick();
}

void OnSuccessTipTick(App& app, const ui::EventArgs&) {
    app.HotspotControls().SuccessTipTick();
}

void OnUpstreamLeft(App& app, const ui::EventArgs&) {
    hotspot::OnUpstreamFocusLost(app.Hotspot(), app.HotspotControls().Upstream());
}

void OnRememberUpstream(App& app, const ui::EventArgs&) {
    HotspotView& view = app.HotspotControls();
    hotspot::OnRememberUpstreamClicked(app.Hotspot(), view.RememberChecked(), view.Upstream(),
                                       view.Upstreams());
}

// The journal's folder in the file manager, for a user to send the journal.
void OnOpenJournalFolder(App& app, const ui::EventArgs&) {
    Host& host = app.GetHost();
    if (!app.journalFolder.empty() && host.shell != nullptr)
        host.shell->StartDetached("explorer.exe \"" + app.journalFolder + "\"");
}

void OnViewConnections(App& app, const ui::EventArgs&) {
    hotspot::OnViewConnectionsClicked(app.Hotspot());
}

void OnClientTick(App& app, const ui::EventArgs&) {
    app.Clients().Tick();
}

void OnClientRowRightClicked(App& app, const ui::EventArgs& args) {
    app.Clients().ClientRowRightClicked(args.code);
}

void OnBlacklistChosen(App& app, const ui::EventArgs&) {
    app.Clients().BlacklistChosen();
}

void OnBlacklistRowRightClicked(App& app, const ui::EventArgs& args) {
    app.Clients().BlacklistRowRightClicked(args.code);
}

void OnReleaseChosen(App& app, const ui::EventArgs&) {
    app.Clients().ReleaseChosen();
}

void OnClientDoubleClicked(App& app, const ui::EventArgs& args) {
    app.Clients().BeginNameEdit(args);
}

void OnNameEditorLeft(App& app, const ui::EventArgs&) {
    app.Clients().SaveNameEdit();
}

void OnNameEditorKey(App& app, const ui::EventArgs& args) {
    app.Clients().EditorKeyUp(args.code);
}

void OnMonitorOn(App& app, const ui::EventArgs&) {
    app.Clients().MonitorOn();
}

void OnMonitorOff(App& app, const ui::EventArgs&) {
    app.Clients().MonitorOff();
}

void OnJoinNoticeClicked(App& app, const ui::EventArgs&) {
    app.Clients().JoinNoticeClicked();
}

void OnJoinWindow(App& app, const ui::EventArgs&) {
    OpenJoinWindow(app);
}

}  // namespace

const std::vector<Binding>& EventBindings() {
    static const std::vector<Binding> table = {
        {WindowId::Main, kMainWindowName, Event::Created, OnMainCreated, "program set-up"},
        {WindowId::Main, kMainWindowName, Event::CloseRequested, CloseAndExit,
         "collapse, stop everything and exit"},
        {WindowId::Main, kMainWindowName, Event::TrayEvent, OnTrayEvent,
         "restore window or pop up 菜单"},
        {WindowId::Main, kMainWindowName, Event::RightUp, OnMainRightUp, "pop up 菜单"},
        {WindowId::Main, "显示界面", Event::ItemChosen, OnShowWindowChosen, "show main window"},
        {WindowId::Main, "退出", Event::ItemChosen, ExitAtOnce, "stop everything and exit"},
        {WindowId::Main, "打开日志文件夹", Event::ItemChosen, OnOpenJournalFolder,
         "open the folder of the command journal"},
        {WindowId::Main, "扫码连接", Event::ItemChosen, OnJoinWindow,
         "show the QR code to join the hotspot by"},
        {WindowId::Main, "按钮扫码连接", Event::Clicked, OnJoinWindow,
         "show the QR code to join the hotspot by"},
        {WindowId::Main, "按钮右下角", Event::Clicked, HideToTray, "hide to notification area"},
        {WindowId::Main, "选择夹1", Event::PageChanged, OnPageChanged,
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
        {WindowId::Main, "超级列表框1", Event::DoubleClicked, OnClientDoubleClicked,
         "start editing the device name"},
        {WindowId::Main, "超级列表框1", Event::RowRightClicked, OnClientRowRightClicked,
         "pop up 加黑"},
        {WindowId::Main, "拉入黑名单", Event::ItemChosen, OnBlacklistChosen,
         "blacklist the selected device"},
        {WindowId::Main, "超级列表框2", Event::RowRightClicked, OnBlacklistRowRightClicked,
         "pop up 取消黑"},
        {WindowId::Main, "取消黑名单", Event::ItemChosen, OnReleaseChosen,
         "release the selected device"},
        {WindowId::Main, "编辑框设备", Event::FocusLost, OnNameEditorLeft,
         "save the edited device name"},
        {WindowId::Main, "编辑框设备", Event::KeyUp, OnNameEditorKey,
         "save the edited device name on Enter"},
        {WindowId::Main, "时钟循环列表", Event::Tick, OnClientTick,
         "restart the client-list worker"},
        {WindowId::Main, "单选框监控", Event::Clicked, OnMonitorOn, "monitoring on"},
        {WindowId::Main, "单选框不监控", Event::Clicked, OnMonitorOff, "monitoring off"},
        {WindowId::Main, "选择框新设备提示", Event::Clicked, OnJoinNoticeClicked,
         "turn the new-device notice on or off, save the choice"},
        {WindowId::Main, "时钟流量统计", Event::Tick, OnTotalsTick, "refresh session totals"},
        {WindowId::Main, "选择框显示流量", Event::Clicked, OnShowBarClicked,
         "show or hide the traffic bar, save the choice"},
        {WindowId::Main, "时钟流量条延时", Event::Tick, OnBarOpenTick,
         "open the traffic bar once after sharing started"},
        {WindowId::Main, "滑块条色调", Event::PositionChanged, OnHueSlider,
         "apply and save the skin hue"},
        {WindowId::Main, "按钮色调", Event::Clicked, OnRestoreHue, "restore the default hue"},
        {WindowId::Main, "选择框关机", Event::Clicked, ShutdownCheckChanged,
         "arm or disarm timed shutdown"},
        {WindowId::Main, "时钟关机", Event::Tick, ShutdownTick, "shutdown countdown"},
        {WindowId::Bar, kBarWindowName, Event::Created, OnBarCreated, "bar set-up"},
        {WindowId::Bar, kBarWindowName, Event::PositionChanged, OnBarMoved,
         "save the bar position"},
        {WindowId::Bar, "时钟流量", Event::Tick, OnRateTick, "refresh rates"},
        {WindowId::Bar, "透明标签1", Event::DoubleClicked, OnBarDoubleClicked,
         "show the main window"},
        {WindowId::Bar, "透明标签1", Event::RightDown, OnBarRightDown, "show the bar's link menu"},
        {WindowId::Bar, "气球提示框1", Event::LinkClicked, OnBarLink, "act on m7 or m8"},
    };
    return table;
}

}  // namespace hs::app
