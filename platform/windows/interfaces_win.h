// The interface table of the IP Helper (GetIfTable).
#pragma once

#include <vector>

#include "platform/host.h"

namespace hs::win {

class WindowsInterfaces : public InterfaceTable {
  public:
    // The table sorted by interface index, read into a buffer that grows until it
    // fits. Descriptions are ANSI bytes converted to UTF-8.
    bool Rows(std::vector<InterfaceRow>& out) override;
};

}  // namespace hs::win
