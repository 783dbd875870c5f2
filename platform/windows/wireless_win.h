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
};

}  // namespace hs::win
