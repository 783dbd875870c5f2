// The Hosted Network as the WLAN API (wlanapi.dll) reports it.
#pragma once

#include "platform/host.h"

namespace hs::win {

class WindowsWirelessLan : public WirelessLan {
  public:
    // WlanOpenHandle, WlanHostedNetworkQueryStatus, WlanFreeMemory, WlanCloseHandle,
    // all looked up at run time: the Hosted Network functions are not in every
    // wlanapi.dll (they came with Windows 7) nor in the toolchain's import library, and
    // without wlanapi.dll (Windows XP without the wireless update, Windows Server
    // without the wireless feature) the program must still load. False when any of
    // them is missing or answers with an error.
    bool HostedNetwork(HostedNetworkStatus& out) override;
    // WlanEnumInterfaces, then WlanQueryInterface with
    // wlan_intf_opcode_hosted_network_capable (15) on each interface, looked up at run
    // time like the rest: Supported when any answers TRUE, Unsupported when every one
    // answers FALSE, Unknown otherwise (no WLAN API, no wireless interface, an
    // interface that gave no answer).
    HostingSupport DriverHosting() override;
};

}  // namespace hs::win
