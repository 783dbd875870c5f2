// A clock whose time moves only when someone waits on it: a pause costs no real
// time and is recorded, so tests can assert the exact sequence of pauses.
#pragma once

#include <mutex>
#include <vector>

#include "platform/host.h"

namespace hs::sim {

class VirtualClock : public Clock {
  public:
    int64_t NowMs() override;
    // Advances virtual time by `ms` at once and records the pause.
    void Delay(int64_t ms, const StopSignal* stop) override;
    // Moves time forward without recording a pause (for tests and timelines).
    void Advance(int64_t ms);
    // Every pause made so far, in order.
    std::vector<int64_t> Pauses() const;
    void ClearPauses();

  private:
    mutable std::mutex mutex_;
    int64_t now_ = 0;
    std::vector<int64_t> pauses_;
};

}  // namespace hs::sim
