#include "hotspot/sharing_config.h"

#include <vector>

#include "backend/backend_choice.h"
#include "sys/command.h"
#include "sys/delay.h"
#include "sys/text.h"
#include "sys/worker.h"

namespace hs::hotspot {

namespace {

// Each connection of a pass is followed by this pause, so the window keeps
// answering during long passes.
constexpr int kPerConnectionPauseMs = 2;

// Every connection of the machine; empty when the sharing manager is unavailable.
bool Connections(Host& host, std::vector<SharingConnection>& out) {
    out.clear();
    return host.sharing != nullptr && host.sharing->Connections(out) == SharingError::None;
}

void KeepFirstCode(SharingOutcome& outcome, uint32_t code) {
    if (outcome.failureCode == 0)
        outcome.failureCode = code;
}

}  // namespace

SwitchOff DisableAllSharing(Host& host, backend::HotspotBackend& network, bool windows8,
                            std::string wired) {
    SwitchOff off;
    // The system's own hotspot shares by itself and ends its sharing when it goes off:
    // switching sharing off under it would cut its devices off, so it is only ended.
    if (network.SharesItself()) {
        off.wiredNames = wired;
        off.failed = network.Disallow().result != backend::StepResult::Done;
        return off;
    }
    // A Mobile Hotspot switched on in Windows' own settings shares the same way: its
    // sharing is left alone, and only the hosted network is disallowed.
    const bool mobileOn = backend::MobileHotspotIsOn(host);
    std::vector<SharingConnection> connections;
    if (!mobileOn && Connections(host, connections)) {
        for (const SharingConnection& connection : connections) {
            // A stop ends the pass between two connections, never inside a call.
            if (StopRequested()) {
                off.wiredNames = wired;
                return off;
            }
            // Only a shared connection is switched off: one that is not shared has
            // nothing to switch off, and the call crashes the sharing manager of
            // Windows 10 1607 and later.
            const SharingError error = connection.sharingEnabled
                                           ? host.sharing->DisableSharing(connection.name)
                                           : SharingError::None;
            // A connection gone meanwhile has nothing left to switch off.
            if (error != SharingError::None && error != SharingError::NotFound)
                off.failed = true;
            if (Contains(connection.name, "本地"))
                wired += connection.name;
            if (windows8 && Contains(connection.name, "以太"))
                wired += connection.name;
            Delay(host, kPerConnectionPauseMs);
        }
    }

    // The box keeps what earlier passes collected; the usual one or two wired
    // connections come back to the single standard name.
    const int local = CountOccurrences(wired, "本地");
    if (local == 2 || local == 3)
        wired = "本地连接";
    if (windows8) {
        const int ethernet = CountOccurrences(wired, "以太网");
        if (ethernet == 2 || ethernet == 3)
            wired = "以太网";
    }
    if (!network.Disallow().Ran())
        off.failed = true;
    off.wiredNames = wired;
    return off;
}

SharingOutcome EnableHotspotSharing(Host& host, const std::string& hosted,
                                    const std::string& untrimmedUpstream) {
    const std::string upstream = Trim(untrimmedUpstream);

    SharingOutcome outcome;
    // A Mobile Hotspot switched on in Windows' own settings shares the same way: its
    // sharing is left alone, and only the hosted network is disallowed.
    const bool mobileOn = backend::MobileHotspotIsOn(host);
    std::vector<SharingConnection> connections;
    if (!mobileOn && Connections(host, connections)) {
        outcome.listed = true;
        for (const SharingConnection& connection : connections) {
            if (StopRequested())
                return outcome;
            uint32_t code = 0;
            if (connection.name == hosted) {
                outcome.privateMatched = true;
                if (host.sharing->EnableSharing(connection.name, SharingType::Private, &code) !=
                    SharingError::None) {
                    outcome.privateFailed = true;
                    KeepFirstCode(outcome, code);
                }
            }
            if (connection.name == upstream) {
                outcome.publicMatched = true;
                code = 0;
                if (host.sharing->EnableSharing(connection.name, SharingType::Public, &code) !=
                    SharingError::None) {
                    outcome.publicFailed = true;
                    KeepFirstCode(outcome, code);
                }
            }
            Delay(host, kPerConnectionPauseMs);
        }
    }
    return outcome;
}

std::vector<std::string> ListConnections(Host& host, bool windows8) {
    std::vector<std::string> items;
    std::vector<SharingConnection> connections;
    if (!Connections(host, connections))
        return items;
    std::string working;
    for (const SharingConnection& connection : connections) {
        working += connection.name + std::to_string(connection.status) + "\r\n";
        // Disconnected (0) and media-disconnected (7) connections cannot lead anywhere.
        if (connection.status != 0 && connection.status != 7)
            items.push_back(connection.name);
    }
    if (Contains(working, "无线网络连接0")) {
        RunCommand(host, windows8 ? "netsh interface set interface \"Wi-Fi\" \"enabled\""
                                  : "netsh interface set interface \"无线网络连接\" \"enabled\"");
    }
    return items;
}

}  // namespace hs::hotspot
