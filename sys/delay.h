// Pauses that keep the calling thread's window responsive.
#pragma once

#include <cstdint>

#include "platform/host.h"

namespace hs {

// Units of PumpingDelay; any other value is taken as the factor itself.
enum DelayUnit : int64_t { kMilliseconds = 0, kSeconds = 1, kMinutes = 2, kHours = 3 };

// Milliseconds that `amount` units stand for.
int64_t DelayMilliseconds(int64_t amount, int64_t unit);

// Waits `amount` units while window messages keep being processed; returns true.
// In a worker whose stop was asked it returns at once.
bool PumpingDelay(Host& host, int64_t amount, int64_t unit = kMilliseconds);

}  // namespace hs
