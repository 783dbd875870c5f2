#include "app/hotspot_view.h"

namespace hs::app {

namespace {

constexpr const char* kStartCaption = "开启共享";

}  // namespace

HotspotView::HotspotView(ui::Window& main)
    : main_(main),
      start_(main["按钮开始"]),
      name_(main["编辑框名称"]),
      password_(main["编辑框密码"]),
      upstream_(main["组合框1"]),
      hostedName_(main["编辑框虚拟网卡"]),
      wiredNames_(main["编辑框去除多个本地"]),
      status_(main["标签9"]),
      statusPicture_(main["图片框状态"]),
      statusTimer_(main["时钟状态"]),
      successLabel_(main["标签启动成功"]),
      successTimer_(main["时钟启动成功提示"]),
      clientList_(main["超级列表框1"]),
      deviceCount_(main["标签3"]),
      clientTimer_(main["时钟循环列表"]),
      barTimer_(main["时钟流量条延时"]),
      monitorOn_(main["单选框监控"]),
      remember_(main["选择框2"]),
      announcement_(main["简单超文本框1"]),
      balloon_(main["气球提示框1"]) {}

void HotspotView::ShowStarting() {
    start_.SetEnabled(false);
    start_.SetText("启动中\r\n请稍后");
    statusTimer_.SetInterval(500);
}

void HotspotView::ShowRunning() {
    start_.SetText("关闭共享");
    start_.SetEnabled(true);
    name_.SetEnabled(false);
    password_.SetEnabled(false);
    status_.SetTextColour({0, 128, 0});
    status_.SetText("已启动");
    main_.SetTrayIcon(ui::kPictureTrayRunning, "已开启共享");
    statusTimer_.SetInterval(0);
    statusPicture_.SetPicture(ui::kPictureStatusRunning);
    upstream_.SetEnabled(false);
}

void HotspotView::ShowIdleButton() {
    start_.SetText(kStartCaption);
    start_.SetEnabled(true);
    statusTimer_.SetInterval(0);
    statusPicture_.SetPicture(ui::kPictureStatusIdle);
}

void HotspotView::ShowIdleStatus() {
    status_.SetText("未启动");
    statusTimer_.SetInterval(0);
    statusPicture_.SetPicture(ui::kPictureStatusIdle);
    name_.SetEnabled(true);
    password_.SetEnabled(true);
}

void HotspotView::ShowStopping() {
    start_.SetEnabled(false);
    start_.SetText(kStartCaption);
    upstream_.SetEnabled(true);
    ShowIdleStatus();
}

void HotspotView::ShowStopped() {
    start_.SetEnabled(true);
    ShowIdleTray();
}

void HotspotView::ShowResetting() {
    start_.SetEnabled(true);
    start_.SetText(kStartCaption);
    ShowIdleStatus();
}

void HotspotView::ShowReady() {
    start_.SetEnabled(true);
    start_.SetText(kStartCaption);
    ShowIdleTray();
}

void HotspotView::ShowSucceeded(bool sharingUp) {
    if (monitorOn_.Checked())
        clientTimer_.SetInterval(10000);
    barTimer_.SetInterval(1000);
    if (sharingUp) {
        successLabel_.SetVisible(true);
        successTimer_.SetInterval(5000);
    }
}

void HotspotView::ShowClientsCleared() {
    clientList_.ClearRows();
    deviceCount_.SetText("设备总数[0]");
    clientTimer_.SetInterval(0);
}

void HotspotView::ShowName(const std::string& name) {
    name_.SetText(name);
}

void HotspotView::ShowPassword(const std::string& password) {
    password_.SetText(password);
}

void HotspotView::ShowHostedName(const std::string& name) {
    hostedName_.SetText(name);
}

void HotspotView::ShowWiredNames(const std::string& names) {
    wiredNames_.SetText(names);
}

void HotspotView::ShowUpstreams(const std::vector<std::string>& names) {
    for (const std::string& name : names)
        upstream_.AddItem(name);
}

void HotspotView::ShowUpstream(const std::string& name) {
    upstream_.SetText(name);
}

void HotspotView::ShowRememberUpstream(bool remembered) {
    remember_.SetChecked(remembered);
}

void HotspotView::ShowAnnouncement(const std::string& document) {
    announcement_.SetDocument(document);
}

void HotspotView::Balloon(const std::string& text, int dx, int dy) {
    ui::Control self = main_.Self();
    // The offsets are pixels at 96 DPI from the window's top left.
    balloon_.ShowBalloon(text, self.Left() + main_.Scaled(dx), self.Top() + main_.Scaled(dy));
}

int HotspotView::Ask(const std::string& text, const std::string& caption, int flags) {
    return main_.ShowMessage(text, caption, flags);
}

hotspot::StartRequest HotspotView::StartPressed() {
    animationFrame_ = 0;
    return {name_.Text(), password_.Text(), upstream_.Text()};
}

std::string HotspotView::Upstream() const {
    return upstream_.Text();
}

std::vector<std::string> HotspotView::Upstreams() const {
    return upstream_.Items();
}

bool HotspotView::RememberChecked() const {
    return remember_.Checked();
}

void HotspotView::StatusTick() {
    const int frame = ++animationFrame_;
    if (frame >= 1 && frame <= 5)
        statusPicture_.SetPicture(ui::kPictureStatusFrame + std::to_string(frame));
    if (frame >= 5)
        animationFrame_ = 0;
}

void HotspotView::SuccessTipTick() {
    successTimer_.SetInterval(0);
    successLabel_.SetVisible(false);
}

void HotspotView::ShowIdleTray() {
    main_.SetTrayIcon(ui::kPictureTrayIdle, "未开启共享");
}

}  // namespace hs::app
