#include "hotspot/upstream.h"

#include "hotspot/common.h"
#include "settings/settings_file.h"
#include "sys/delay.h"

namespace hs::hotspot {

namespace {

// The system's name for "reaches the Internet over the local network".
constexpr const char* kLanName = "LAN 连接";
constexpr int kDetectionRetries = 2;
constexpr int kDetectionPauseMs = 300;

}  // namespace

InternetState QueryInternetConnection(Host& host) {
    InternetState state;
    if (host.internet != nullptr)
        state = host.internet->Query();
    state.name = Trim(state.name);
    return state;
}

void DetectUpstream(app::App& app) {
    const InternetState state = QueryInternetConnection(app.GetHost());
    ui::Control combo = app.Main()["组合框1"];
    // A name reported without a connection is a stale dial-up entry; never offer it.
    combo.SetText(state.connected ? state.name : std::string());
    if (combo.Text() == kLanName)
        combo.SetText(app.Main()["编辑框去除多个本地"].Text());
}

void ChooseUpstream(app::App& app) {
    ui::Control combo = app.Main()["组合框1"];
    const std::vector<std::string> items = combo.Items();
    for (const char* preferred : {"Wi-Fi", "无线网络连接", "ChinaNetSNWide", "宽带连接"}) {
        for (const std::string& item : items) {
            if (item == preferred) {
                combo.SetText(item);
                return;
            }
        }
    }
    DetectUpstream(app);
    for (int attempt = 0; attempt < kDetectionRetries && combo.Text().empty(); ++attempt) {
        DetectUpstream(app);
        PumpingDelay(app.GetHost(), kDetectionPauseMs);
    }
}

void OnUpstreamFocusLost(app::App& app) {
    ui::Control combo = app.Main()["组合框1"];
    const std::string text = combo.Text();
    if (text == "无线网络连接2")
        combo.SetText("无线网络连接 2");
    else if (text == "无线网络连接3")
        combo.SetText("无线网络连接 3");
    else if (text == "宽带连接2")
        combo.SetText("宽带连接 2");
    settings::WriteSetting(app.GetHost(), "kdmc", "kdmc", combo.Text());
}

void OnRememberUpstreamClicked(app::App& app) {
    Host& host = app.GetHost();
    if (app.Main()["选择框2"].Checked()) {
        settings::WriteSetting(host, "xzk2", "xz", "1");
        settings::WriteSetting(host, "kdmc", "kdmc", app.Main()["组合框1"].Text());
    } else {
        settings::WriteSetting(host, "xzk2", "xz", "2");
        ChooseUpstream(app);
    }
}

void OnViewConnectionsClicked(app::App& app) {
    Host& host = app.GetHost();
    if (host.shell != nullptr)
        host.shell->StartDetached("control.exe ncpa.cpl");
}

}  // namespace hs::hotspot
