// The Hosted Network of the wireless driver, switched through the network shell
// ("netsh wlan ... hostednetwork"). What happened is decided by the system's own state
// where it can tell (the process token, the WLAN API's status, the adapter list), and
// by the console's words (console_words.h) only where it cannot.
#pragma once

#include <string>

#include "backend/hotspot_backend.h"
#include "platform/host.h"

namespace hs::backend {

class HostedNetwork : public HotspotBackend {
  public:
    explicit HostedNetwork(Host& host) : host_(host) {}

    // "netsh wlan set hostednetwork mode=allow ssid="SSID" key="KEY"" (both quoted, so
    // that a space or "=" stays part of them). NotAdministrator when the process token
    // says the program is not elevated, or, where the token cannot tell, when the answer
    // names the administrator.
    Step Configure(const std::string& ssid, const std::string& key) override;
    // "netsh wlan start hostednetwork". Done only when the WLAN API then reports the
    // network active; Refused otherwise, with the system's reason when the answer did
    // not say it failed. Without the WLAN API the answer's words decide.
    Step Start() override;
    // "netsh wlan stop hostednetwork".
    Step Stop() override;
    // "netsh wlan set hostednetwork mode=disallow".
    Step Disallow() override;
    // "netsh wlan show hostednetwork" is run; the WLAN API's state and peer list answer.
    // Without the API: the listing's status line, and every colon-form hardware address
    // it prints (the network's BSSID and the associated stations).
    Stations CurrentStations() override;
    // The connection of the virtual adapter the WLAN API names; else the adapter list
    // (HostedAdapterDiscovery).
    std::string FindAdapter(DiscoveryVariant variant, const std::string& current) override;
    // "netsh interface ipv4 show offload" is run; the index is the virtual adapter's
    // (by the WLAN API's GUID, else by the connection name) from the adapter list, and
    // the listing's header (LookupInterfaceNumber) only where neither is known.
    HostedInterface InterfaceOf(const std::string& adapterName) override;

  private:
    Elevation ProcessElevation();
    // The WLAN API's status; false without the API.
    bool QueryStatus(HostedNetworkStatus& status);

    Host& host_;
};

// What "netsh wlan show hostednetwork" printed, read: the state from its status line
// (in the languages of console_words.h), the colon-form addresses in dash form and
// upper case, and every address printed but the first (the BSSID) counted as a device.
Stations ReadHostedNetworkStatus(const std::string& status);

}  // namespace hs::backend
