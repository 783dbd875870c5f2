// The system's cryptographic random number generator.
#pragma once

#include "platform/host.h"

namespace hs::win {

class WindowsRandom : public RandomSource {
  public:
    // RtlGenRandom (advapi32's export SystemFunction036); where it cannot be found,
    // CryptGenRandom of a verify-only context of the default provider. Both are looked
    // up in advapi32 at run time, so nothing is added to the program's imports.
    bool Fill(uint8_t* out, size_t count) override;
};

}  // namespace hs::win
