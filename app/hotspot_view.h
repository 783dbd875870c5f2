// The hotspot in the main window: the start button and status, the name, password
// and upstream boxes, the hidden boxes of the connection names, the success tip, the
// announcement and the tray icon. Presents what the hotspot reports and turns the
// user's input on these controls into the hotspot's calls. Window thread only.
#pragma once

#include <string>
#include <vector>

#include "hotspot/hotspot_sink.h"
#include "hotspot/start_sharing.h"
#include "ui/model.h"

namespace hs::app {

class HotspotView : public hotspot::HotspotSink {
  public:
    // Resolves the controls by name (a misspelled name stops the program at start-up).
    explicit HotspotView(ui::Window& main);

    void ShowStarting() override;
    void ShowRunning() override;
    void ShowIdleButton() override;
    void ShowStopping() override;
    void ShowStopped() override;
    void ShowResetting() override;
    void ShowReady() override;
    void ShowSucceeded(bool sharingUp) override;
    void ShowClientsCleared() override;
    void ShowName(const std::string& name) override;
    void ShowPassword(const std::string& password) override;
    void ShowHostedName(const std::string& name) override;
    void ShowWiredNames(const std::string& names) override;
    void ShowUpstreams(const std::vector<std::string>& names) override;
    void ShowUpstream(const std::string& name) override;
    void ShowRememberUpstream(bool remembered) override;
    void ShowAnnouncement(const std::string& document) override;
    void Balloon(const std::string& text, int dx, int dy) override;
    int Ask(const std::string& text, const std::string& caption, int flags) override;

    // What the start button hands the hotspot: the name, password and upstream shown.
    // A press also restarts the status animation from its first frame.
    hotspot::StartRequest StartPressed();
    // The upstream box's text and its list, and the remember box.
    std::string Upstream() const;
    std::vector<std::string> Upstreams() const;
    bool RememberChecked() const;

    // 时钟状态 (500 ms while starting): shows frames 1 to 5 in turn.
    void StatusTick();
    // 时钟启动成功提示 (once, 5 s after success): hides the success message.
    void SuccessTipTick();

  private:
    // The idle status: "未启动", animation stopped, idle picture, name and password
    // editable (part of the stop's and the reset's first steps).
    void ShowIdleStatus();
    // The idle tray icon and its tip.
    void ShowIdleTray();

    ui::Window& main_;
    ui::Control start_;          // 按钮开始
    ui::Control name_;           // 编辑框名称
    ui::Control password_;       // 编辑框密码
    ui::Control upstream_;       // 组合框1
    ui::Control hostedName_;     // 编辑框虚拟网卡
    ui::Control wiredNames_;     // 编辑框去除多个本地
    ui::Control status_;         // 标签9
    ui::Control statusPicture_;  // 图片框状态
    ui::Control statusTimer_;    // 时钟状态
    ui::Control successLabel_;   // 标签启动成功
    ui::Control successTimer_;   // 时钟启动成功提示
    ui::Control clientList_;     // 超级列表框1
    ui::Control deviceCount_;    // 标签3
    ui::Control clientTimer_;    // 时钟循环列表
    ui::Control barTimer_;       // 时钟流量条延时
    ui::Control monitorOn_;      // 单选框监控
    ui::Control remember_;       // 选择框2
    ui::Control announcement_;   // 简单超文本框1
    ui::Control balloon_;        // 气球提示框1
    // The status animation's frame, 0 to 5.
    int animationFrame_ = 0;
};

}  // namespace hs::app
