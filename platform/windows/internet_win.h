// Whether and how the machine reaches the Internet, as WinINet reports it.
#pragma once

#include "platform/host.h"

namespace hs::win {

class WindowsInternet : public InternetQuery {
  public:
    // InternetGetConnectedStateExW with a 512-character name buffer; the name is
    // trimmed of surrounding spaces.
    InternetState Query() override;
};

}  // namespace hs::win
