// The Windows 10 and 11 Mobile Hotspot, switched through the system's tethering
// manager (Host::tethering). The system shares the upstream connection itself, so the
// program's own connection-sharing steps are not run for it. Its adapter is found by
// the address the system's sharing gives it, never by its connection name ("本地连接* N",
// which Windows renumbers).
#pragma once

#include <mutex>
#include <string>

#include "backend/hotspot_backend.h"
#include "platform/host.h"

namespace hs::backend {

// The address the system's connection sharing gives the hotspot's own adapter.
inline constexpr const char* kHotspotAddress = "192.168.137.1";

// What the Mobile Hotspot accepts: a name of 1 to 32 bytes in UTF-8 and a key of 8 to
// 63 characters. The words of the refusal, empty when both are acceptable.
std::string MobileHotspotRefusal(const std::string& ssid, const std::string& key);

class MobileHotspot : public HotspotBackend {
  public:
    explicit MobileHotspot(Host& host) : host_(host) {}

    // Refused, with nothing passed on, when the name or key is outside what the system
    // accepts; else the system's answer to the new name and key.
    Step Configure(const std::string& ssid, const std::string& key) override;
    // Switches the Mobile Hotspot on, sharing the connection ShareFrom named (its adapter
    // GUID; the system's Internet connection when that is not found). After a start
    // where the system lets the program say so, it stays on without devices.
    Step Start() override;
    // Stop and Disallow both switch the Mobile Hotspot off; one already off is left.
    Step Stop() override;
    Step Disallow() override;
    // The system's state (On: Running, Off: Idle, else Unknown), its devices in dash
    // form, and its maximum.
    Stations CurrentStations() override;
    // The connection of the adapter holding 192.168.137.1; empty when none holds it.
    std::string FindAdapter(DiscoveryVariant variant, const std::string& current) override;
    // That adapter's index, else the index of the adapter of that connection name.
    HostedInterface InterfaceOf(const std::string& adapterName) override;
    bool SharesItself() const override { return true; }
    void ShareFrom(const std::string& connectionName) override;

    // The GUID ("{...}") of the adapter of a connection name; empty when none has it.
    std::string AdapterGuidOf(const std::string& connectionName);

  private:
    bool Wow64();
    std::string Upstream();
    Step SwitchOff();

    Host& host_;
    std::mutex mutex_;
    std::string upstreamName_;
};

}  // namespace hs::backend
