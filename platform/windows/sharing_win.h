// Internet Connection Sharing through the system's sharing manager object
// ("HNetCfg.HNetShare") and its typed COM interfaces.
#pragma once

#include <string>
#include <vector>

#include "platform/host.h"

namespace hs::win {

// Each call initialises COM on the calling thread for its own use (apartment
// threaded), creates the sharing manager, walks every connection and releases it all
// before returning. A thread whose COM already runs in another mode uses that.
class WindowsSharing : public SharingManager {
  public:
    SharingError Connections(std::vector<SharingConnection>& out) override;
    using SharingManager::EnableSharing;
    SharingError EnableSharing(const std::string& name, SharingType type, uint32_t* code) override;
    SharingError DisableSharing(const std::string& name) override;
};

}  // namespace hs::win
