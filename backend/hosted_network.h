// The Hosted Network of the wireless driver, switched through the network shell
// ("netsh wlan ... hostednetwork"). What the system's answers mean is read from the
// words a Simplified Chinese system prints.
#pragma once

#include <string>

#include "backend/hotspot_backend.h"
#include "platform/host.h"

namespace hs::backend {

class HostedNetwork : public HotspotBackend {
  public:
    explicit HostedNetwork(Host& host) : host_(host) {}

    // "netsh wlan set hostednetwork mode=allow ssid="SSID" key="KEY"" (both quoted, so
    // that a space or "=" stays part of them); its answer names the administrator
    // ("管理员") when the program is not elevated.
    Step Configure(const std::string& ssid, const std::string& key) override;
    // "netsh wlan start hostednetwork"; its answer says "无法" when it failed.
    Step Start() override;
    // "netsh wlan stop hostednetwork".
    Step Stop() override;
    // "netsh wlan set hostednetwork mode=disallow".
    Step Disallow() override;
    // "netsh wlan show hostednetwork": its status line, and every colon-form hardware
    // address it prints (the network's BSSID and the associated stations).
    Stations CurrentStations() override;
    // The adapter list (HostedAdapterDiscovery).
    std::string FindAdapter(DiscoveryVariant variant, const std::string& current) override;
    // "netsh interface ipv4 show offload" (LookupInterfaceNumber).
    HostedInterface InterfaceOf(const std::string& adapterName) override;

  private:
    Host& host_;
};

// What "netsh wlan show hostednetwork" printed, read: the state from its status line
// ("已启动" running, "未启动" idle), the colon-form addresses in dash form and upper
// case, and every address printed but the first (the BSSID) counted as a device.
Stations ReadHostedNetworkStatus(const std::string& status);

}  // namespace hs::backend
