#include "hotspot/upstream.h"

#include "settings/keys.h"
#include "sys/delay.h"
#include "sys/text.h"

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

std::string DetectUpstream(Host& host, const std::string& wiredNames) {
    const std::string name = QueryInternetConnection(host).name;
    return name == kLanName ? wiredNames : name;
}

std::string ChooseUpstream(Host& host, const std::vector<std::string>& items,
                           const std::string& wiredNames) {
    for (const char* preferred : {"Wi-Fi", "无线网络连接", "ChinaNetSNWide", "宽带连接"}) {
        for (const std::string& item : items) {
            if (item == preferred)
                return item;
        }
    }
    std::string chosen = DetectUpstream(host, wiredNames);
    for (int attempt = 0; attempt < kDetectionRetries && chosen.empty(); ++attempt) {
        chosen = DetectUpstream(host, wiredNames);
        Delay(host, kDetectionPauseMs);
    }
    return chosen;
}

std::string CorrectedUpstream(const std::string& typed) {
    if (typed == "无线网络连接2")
        return "无线网络连接 2";
    if (typed == "无线网络连接3")
        return "无线网络连接 3";
    if (typed == "宽带连接2")
        return "宽带连接 2";
    return typed;
}

void OnUpstreamFocusLost(Hotspot& hotspot, const std::string& typed) {
    const std::string corrected = CorrectedUpstream(typed);
    if (corrected != typed)
        hotspot.View().ShowUpstream(corrected);
    settings::WriteSetting(hotspot.GetHost(), settings::kUpstreamName, corrected);
}

void OnRememberUpstreamClicked(Hotspot& hotspot, bool remember, const std::string& upstream,
                               const std::vector<std::string>& items) {
    Host& host = hotspot.GetHost();
    if (remember) {
        settings::WriteSetting(host, settings::kRememberUpstream, "1");
        settings::WriteSetting(host, settings::kUpstreamName, upstream);
    } else {
        settings::WriteSetting(host, settings::kRememberUpstream, "2");
        // The detection may pause between its tries: it runs on its own worker.
        Dispatcher& window = hotspot.GetDispatcher();
        HotspotSink& view = hotspot.View();
        hotspot.upstreamTask.Start(
            [&host, &window, &view, items, wired = hotspot.GetSession().wiredNames] {
                const std::string chosen = ChooseUpstream(host, items, wired);
                window.Post([&view, chosen] { view.ShowUpstream(chosen); });
            });
    }
}

void OnViewConnectionsClicked(Hotspot& hotspot) {
    Host& host = hotspot.GetHost();
    if (host.shell != nullptr)
        host.shell->StartDetached("control.exe ncpa.cpl");
}

}  // namespace hs::hotspot
