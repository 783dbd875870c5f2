#include "sys/delay.h"

#include "sys/worker.h"

namespace hs {

int64_t DelayMilliseconds(int64_t amount, int64_t unit) {
    int64_t factor = unit;
    switch (unit) {
        case kMilliseconds:
            factor = 1;
            break;
        case kSeconds:
            factor = 1000;
            break;
        case kMinutes:
            factor = 60000;
            break;
        case kHours:
            factor = 3600000;
            break;
        default:
            break;
    }
    // The due time is amount x factor x -10000.0 in units of 100 ns, truncated
    // toward zero; converted back to whole milliseconds here.
    const double due100ns = static_cast<double>(amount) * static_cast<double>(factor) * -10000.0;
    return static_cast<int64_t>(due100ns) / -10000;
}

bool PumpingDelay(Host& host, int64_t amount, int64_t unit) {
    const int64_t ms = DelayMilliseconds(amount, unit);
    if (ms <= 0 || StopRequested())
        return true;
    host.clock->Delay(ms, CurrentStop());
    return true;
}

}  // namespace hs
