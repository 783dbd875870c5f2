// The interface table of the IP Helper (GetIfTable, and GetIfTable2 for the 64-bit
// counters where the system has it).
#pragma once

#include <vector>

#include "platform/host.h"

namespace hs::win {

class WindowsInterfaces : public InterfaceTable {
  public:
    // The table sorted by interface index, read into a buffer that grows until it
    // fits. Descriptions are ANSI bytes converted to UTF-8. The 64-bit counters come
    // from GetIfTable2, looked up at run time; without it (Windows XP) they repeat the
    // 32-bit ones and `wideCounters` stays false.
    bool Rows(std::vector<InterfaceRow>& out) override;
};

}  // namespace hs::win
