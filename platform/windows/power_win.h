// Asking the system to shut down.
#pragma once

#include "platform/host.h"

namespace hs::win {

class WindowsPower : public Power {
  public:
    // Enables SeShutdownPrivilege in the process token, then ExitWindowsEx with
    // EWX_SHUTDOWN (not forced) and reason code 0xFFFF.
    bool Shutdown() override;
};

}  // namespace hs::win
