// Time and pauses on Windows, and the message pump that keeps a waiting thread's
// windows responsive.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/host.h"

namespace hs::win {

// Processes the calling thread's pending window messages for the length of one
// wait. When the quit message turns up it is taken out of the queue, nothing more is
// processed for the rest of that wait, and the quit is posted again when the pump
// ends, so the thread's own message loop still sees it and ends as it should.
class MessagePump {
  public:
    MessagePump() = default;
    MessagePump(const MessagePump&) = delete;
    MessagePump& operator=(const MessagePump&) = delete;
    ~MessagePump();

    // Translates and dispatches every message waiting in the thread's queue.
    void Pump();
    // False once the quit message was seen: the wait goes on without processing.
    bool Active() const { return !quit_; }

  private:
    bool quit_ = false;
    int exitCode_ = 0;
};

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
    // waits on it with MsgWaitForMultipleObjects (wake mask 0xFF), processing all
    // pending window messages whenever input arrives. With a stop signal the wait is
    // taken in slices of 10 ms so that a stop request ends it within a slice. Returns
    // at once when the timer cannot be created or armed.
    void Delay(int64_t ms, const StopSignal* stop) override;
};

}  // namespace hs::win
