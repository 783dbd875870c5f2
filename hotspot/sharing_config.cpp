#include "hotspot/sharing_config.h"

#include <vector>

#include "hotspot/common.h"
#include "sys/command.h"
#include "sys/delay.h"
#include "sys/text.h"

namespace hs::hotspot {

namespace {

constexpr int kWindows8Code = 6;
// Each connection of a pass is followed by this pause, so the window keeps
// answering during long passes.
constexpr int kPerConnectionPauseMs = 2;

bool Windows8(app::App& app) {
    return app.osVersionCode.load() == kWindows8Code;
}

// Every connection of the machine; empty when the sharing manager is unavailable.
bool Connections(Host& host, std::vector<SharingConnection>& out) {
    out.clear();
    return host.sharing != nullptr && host.sharing->Connections(out) == SharingError::None;
}

}  // namespace

void DisableAllSharing(app::App& app) {
    Host& host = app.GetHost();
    ui::Control wired = app.Main()["编辑框去除多个本地"];
    const bool windows8 = Windows8(app);

    std::vector<SharingConnection> connections;
    if (Connections(host, connections)) {
        for (const SharingConnection& connection : connections) {
            host.sharing->DisableSharing(connection.name);
            if (Contains(connection.name, "本地"))
                wired.SetText(wired.Text() + connection.name);
            if (windows8 && Contains(connection.name, "以太"))
                wired.SetText(wired.Text() + connection.name);
            PumpingDelay(host, kPerConnectionPauseMs);
        }
    }

    // The box keeps what earlier passes collected; the usual one or two wired
    // connections come back to the single standard name.
    const int local = CountOccurrences(wired.Text(), "本地");
    if (local == 2 || local == 3)
        wired.SetText("本地连接");
    if (windows8) {
        const int ethernet = CountOccurrences(wired.Text(), "以太网");
        if (ethernet == 2 || ethernet == 3)
            wired.SetText("以太网");
    }
    RunCommand(host, "netsh wlan set hostednetwork mode=disallow");
}

SharingOutcome EnableHotspotSharing(app::App& app) {
    Host& host = app.GetHost();
    const std::string hosted = app.Main()["编辑框虚拟网卡"].Text();
    const std::string upstream = Trim(app.Main()["组合框1"].Text());

    SharingOutcome outcome;
    std::vector<SharingConnection> connections;
    if (Connections(host, connections)) {
        outcome.listed = true;
        for (const SharingConnection& connection : connections) {
            if (connection.name == hosted) {
                outcome.privateMatched = true;
                if (host.sharing->EnableSharing(connection.name, SharingType::Private) !=
                    SharingError::None) {
                    outcome.privateFailed = true;
                }
            }
            if (connection.name == upstream) {
                outcome.publicMatched = true;
                if (host.sharing->EnableSharing(connection.name, SharingType::Public) !=
                    SharingError::None) {
                    outcome.publicFailed = true;
                }
            }
            PumpingDelay(host, kPerConnectionPauseMs);
        }
    }
    app.sharingDone.store(1);
    return outcome;
}

void ListConnections(app::App& app) {
    Host& host = app.GetHost();
    ui::Control combo = app.Main()["组合框1"];

    std::vector<SharingConnection> connections;
    if (!Connections(host, connections))
        return;
    std::string working;
    for (const SharingConnection& connection : connections) {
        working += connection.name + std::to_string(connection.status) + "\r\n";
        // Disconnected (0) and media-disconnected (7) connections cannot lead anywhere.
        if (connection.status != 0 && connection.status != 7)
            combo.AddItem(connection.name);
    }
    if (Contains(working, "无线网络连接0")) {
        RunCommand(host, Windows8(app)
                             ? "netsh interface set interface \"Wi-Fi\" \"enabled\""
                             : "netsh interface set interface \"无线网络连接\" \"enabled\"");
    }
}

}  // namespace hs::hotspot
