#include "app/join_window.h"

#include <algorithm>
#include <utility>

#include "app/app.h"
#include "join/join_text.h"

namespace hs::app {

namespace {

constexpr const char* kJoinButton = "按钮扫码连接";
constexpr const char* kPicture = "图片框二维码";
constexpr const char* kNameLabel = "标签扫码名称";
constexpr const char* kKeyLabel = "标签扫码密码";
constexpr const char* kNotRunning = "请先开启共享";
// The balloon points at the main page's button, relative to the main window.
constexpr int kBalloonX = 320;
constexpr int kBalloonY = 120;

// Centred over the main window, kept on the screen's top-left.
void PlaceOver(ui::Control self, ui::Control main) {
    const int left = std::max(0, main.Left() + (main.Width() - self.Width()) / 2);
    const int top = std::max(0, main.Top() + (main.Height() - self.Height()) / 2);
    self.Move(left, top, self.Width(), self.Height());
}

}  // namespace

std::string JoinPictureId(const std::string& ssid, const std::string& key) {
    return std::string(ui::kPictureQrPrefix) + join::JoinText(ssid, key);
}

bool OpenJoinWindow(App& app) {
    const hotspot::Session& session = app.Hotspot().GetSession();
    ui::Window& main = app.Main();
    ui::Window& join = app.Join();
    if (session.ssid.empty()) {
        if (main.Self().Visible())
            app.Hotspot().View().Balloon(kNotRunning, kBalloonX, kBalloonY);
        return false;
    }
    join.SetThemed(main.Themed());
    join.SetHue(main.Hue());
    join[kPicture].SetPicture(JoinPictureId(session.ssid, session.key));
    join[kNameLabel].SetText("WiFi名称：" + session.ssid);
    join[kKeyLabel].SetText("密码：" + session.key);
    ui::Control self = join.Self();
    if (!self.Visible())
        PlaceOver(self, main.Self());
    self.SetVisible(true);
    self.Activate();
    return true;
}

void JoinSharingStarted(ui::Window& main) {
    ui::Control button = main[kJoinButton];
    button.SetEnabled(true);
    button.SetVisible(true);
}

void JoinSharingStopped(App& app) {
    ui::Window& join = app.Join();
    app.Main()[kJoinButton].SetVisible(false);
    join.Self().SetVisible(false);
    join[kPicture].SetPicture("");
    join[kNameLabel].SetText("WiFi名称：");
    join[kKeyLabel].SetText("密码：");
    hotspot::Session& session = app.Hotspot().GetSession();
    session.ssid.clear();
    session.key.clear();
}

void ChainJoinWindow(App& app) {
    hotspot::Hotspot& hotspot = app.Hotspot();
    ui::Window& main = app.Main();
    hotspot.sharingStarted.push_back([&main] { JoinSharingStarted(main); });
    hotspot.sharingStopped.push_back([&app] { JoinSharingStopped(app); });
}

}  // namespace hs::app
