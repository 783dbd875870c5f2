#include "platform/sim/virtual_clock.h"

namespace hs::sim {

int64_t VirtualClock::NowMs() {
    std::lock_guard<std::mutex> lock(mutex_);
    return now_;
}

void VirtualClock::Delay(int64_t ms, const StopSignal* stop) {
    if (stop != nullptr && stop->Requested())
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    pauses_.push_back(ms);
    if (ms > 0)
        now_ += ms;
}

void VirtualClock::Advance(int64_t ms) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (ms > 0)
        now_ += ms;
}

std::vector<int64_t> VirtualClock::Pauses() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return pauses_;
}

void VirtualClock::ClearPauses() {
    std::lock_guard<std::mutex> lock(mutex_);
    pauses_.clear();
}

}  // namespace hs::sim
