// Where the hotspot shows what it does. The hotspot decides; a view presents each step
// in the window's controls. Every call comes on the window thread, and nothing a view
// shows is ever read back as state.
#pragma once

#include <string>
#include <vector>

namespace hs::hotspot {

class HotspotSink {
  public:
    virtual ~HotspotSink() = default;

    // A start began: the button disabled with "启动中\r\n请稍后", the status animation on.
    virtual void ShowStarting() = 0;
    // The hosted network runs: button "关闭共享", "已启动" in green, the running picture
    // and tray icon, name, password and upstream locked.
    virtual void ShowRunning() = 0;
    // A start ended without success, or a return to idle ended: button "开启共享",
    // enabled, the animation stopped, the idle picture.
    virtual void ShowIdleButton() = 0;
    // The stop button's first steps: the button disabled with "开启共享", the upstream
    // editable, the idle status.
    virtual void ShowStopping() = 0;
    // The hosted network stopped: the button enabled, the idle tray icon.
    virtual void ShowStopped() = 0;
    // A return to idle began (or a failed start's): the button enabled with "开启共享",
    // the idle status.
    virtual void ShowResetting() = 0;
    // The preparation made the start possible: the button enabled with "开启共享", the
    // idle tray icon.
    virtual void ShowReady() = 0;
    // After a start succeeded, once its state is in the session: the client-list and
    // traffic-bar timers, and the success tip (sharing came up) or nothing more.
    virtual void ShowSucceeded(bool sharingUp) = 0;
    // The stop button emptied the client list: no rows, "设备总数[0]", no passes.
    virtual void ShowClientsCleared() = 0;

    // The name and password boxes, as the start corrected them.
    virtual void ShowName(const std::string& name) = 0;
    virtual void ShowPassword(const std::string& password) = 0;
    // The hidden boxes of the hosted connection's name and the wired connections' names.
    virtual void ShowHostedName(const std::string& name) = 0;
    virtual void ShowWiredNames(const std::string& names) = 0;

    // The upstream choices: the connections to choose from, the one chosen, and
    // whether the choice is remembered.
    virtual void ShowUpstreams(const std::vector<std::string>& names) = 0;
    virtual void ShowUpstream(const std::string& name) = 0;
    virtual void ShowRememberUpstream(bool remembered) = 0;
    // The announcement page (HTML).
    virtual void ShowAnnouncement(const std::string& document) = 0;

    // A balloon tip at (dx, dy) from the main window's top left corner, in pixels at
    // 96 DPI (the view scales them to the window's DPI).
    virtual void Balloon(const std::string& text, int dx, int dy) = 0;
    // A message box over the main window; the button the user pressed (1 = OK, 6 = yes).
    virtual int Ask(const std::string& text, const std::string& caption, int flags) = 0;
};

}  // namespace hs::hotspot
