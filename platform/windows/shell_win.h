// Opening web addresses and starting programs without waiting for them.
#pragma once

#include <string>

#include "platform/host.h"

namespace hs::win {

class WindowsShell : public Shell {
  public:
    // Hands the address to the shell's "open" verb, but only a web address
    // (IsWebAddress of sys/text.h): a local program, a file or another scheme, which
    // the shell would run or open as well, is refused.
    bool OpenUrl(const std::string& url) override;
    // CreateProcessW with the default window style; both handles are closed at once.
    bool StartDetached(const std::string& commandLine) override;
};

}  // namespace hs::win
