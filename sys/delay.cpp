#include "sys/delay.h"

#include "sys/worker.h"

namespace hs {

void Delay(Host& host, int64_t ms) {
    CheckNotWindowThread("Delay");
    if (ms <= 0 || StopRequested())
        return;
    host.clock->Delay(ms, CurrentStop());
}

}  // namespace hs
