// The service control manager: start types and states of system services.
#pragma once

#include <string>

#include "platform/host.h"

namespace hs::win {

// Every call opens the manager of the local machine (access 0xF003F) and the
// service (access 0xF01FF) anew and closes both handles before returning.
class WindowsServices : public ServiceManager {
  public:
    bool Query(const std::string& service, ServiceStatus& out) override;
    bool SetStartType(const std::string& service, int startType) override;
    bool Start(const std::string& service) override;
};

}  // namespace hs::win
