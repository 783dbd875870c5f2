// The IPv4 adapter list (IP Helper) and the connection names the registry keeps.
#pragma once

#include <string>
#include <vector>

#include "platform/host.h"

namespace hs::win {

class WindowsAdapters : public AdapterList {
  public:
    // GetAdaptersInfo into a buffer that grows until the whole list fits; a machine
    // without adapters gives an empty list. Descriptions are ANSI text.
    bool Adapters(std::vector<AdapterInfo>& out) override;
    // The "Name" value of the adapter's "Connection" key under HKEY_LOCAL_MACHINE
    // "SYSTEM\CurrentControlSet\Control\Network\{4D36E972-E325-11CE-BFC1-08002BE10318}".
    std::string ConnectionName(const std::string& adapterName) override;
};

}  // namespace hs::win
