#include "hotspot/hotspot.h"

namespace hs::hotspot {

Controls::Controls(ui::Window& main)
    : start(main["按钮开始"]),
      name(main["编辑框名称"]),
      password(main["编辑框密码"]),
      upstream(main["组合框1"]),
      hostedName(main["编辑框虚拟网卡"]),
      wiredNames(main["编辑框去除多个本地"]),
      status(main["标签9"]),
      statusPicture(main["图片框状态"]),
      statusTimer(main["时钟状态"]),
      successLabel(main["标签启动成功"]),
      successTimer(main["时钟启动成功提示"]),
      clientList(main["超级列表框1"]),
      deviceCount(main["标签3"]),
      clientTimer(main["时钟循环列表"]),
      barTimer(main["时钟流量条延时"]),
      monitorOn(main["单选框监控"]),
      remember(main["选择框2"]),
      announcement(main["简单超文本框1"]),
      balloon(main["气球提示框1"]) {}

Hotspot::Hotspot(Host& host, ui::Window& main, Dispatcher& dispatcher)
    : host_(host), main_(main), dispatcher_(dispatcher), controls_(main) {}

void Hotspot::SetHostedName(const std::string& name) {
    session_.hostedName = name;
    controls_.hostedName.SetText(name);
}

void Hotspot::SetWiredNames(const std::string& names) {
    session_.wiredNames = names;
    controls_.wiredNames.SetText(names);
}

void Hotspot::BecomeIdle() {
    session_.phase = Phase::Idle;
    if (pendingStart) {
        const std::function<void()> start = std::move(pendingStart);
        pendingStart = nullptr;
        start();
    }
}

}  // namespace hs::hotspot
