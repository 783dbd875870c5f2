// Time and pauses on Windows.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/host.h"

namespace hs::win {

// The 32-bit tick count (which wraps after 49.7 days) widened to 64 bits, for any
// number of threads without a lock: a value far below the one before (by more than
// half the range) is one more wrap; one a little below it was read before a later
// one that another thread stored, and the later one is returned, so the count never
// goes back. It must see the count at least once every 24 days, which a running
// program's timers do.
class TickWidener {
  public:
    constexpr TickWidener() = default;
    uint64_t Widen(uint32_t tick);

  private:
    std::atomic<uint64_t> state_{0};  // wraps in the high half, the last tick in the low
};

// The system's tick count and pauses on a waitable timer.
class WindowsClock : public Clock {
  public:
    // Milliseconds since the system started: GetTickCount64 where the system has
    // it (Vista and later), looked up when first needed so that the program still
    // loads on XP, where the widened GetTickCount serves instead. The same function
    // answers the runtime's own calls of GetTickCount64 (windows_clock.cpp).
    int64_t NowMs() override;
    // Arms an unnamed auto-reset waitable timer once with the relative due time and
    // waits on it alone: window messages that arrive meanwhile stay in the thread's
    // queue, since pauses run on workers and no handler may run inside a wait. With
    // a stop signal the wait is taken in slices of 10 ms so that a stop request ends
    // it within a slice. Returns at once when the timer cannot be created or armed,
    // or when the wait itself fails.
    void Delay(int64_t ms, const StopSignal* stop) override;
};

}  // namespace hs::win
