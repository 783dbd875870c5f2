// Pauses between the steps of a worker's procedure.
#pragma once

#include <cstdint>

#include "platform/host.h"

namespace hs {

// Waits `ms` milliseconds on the host's clock. In a worker whose stop was asked it
// returns at once. Never called on the window thread, which continues a procedure
// from a timer or a worker's post instead of waiting.
void Delay(Host& host, int64_t ms);

}  // namespace hs
