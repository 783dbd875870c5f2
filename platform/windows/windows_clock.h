// Time and pauses on Windows, and the message pump that keeps a waiting thread's
// windows responsive.
#pragma once

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

// The system's tick count and pauses on a waitable timer.
class WindowsClock : public Clock {
  public:
    // Milliseconds since the system started (GetTickCount64).
    int64_t NowMs() override;
    // Arms an unnamed auto-reset waitable timer once with the relative due time and
    // waits on it with MsgWaitForMultipleObjects (wake mask 0xFF), processing all
    // pending window messages whenever input arrives. With a stop signal the wait is
    // taken in slices of 10 ms so that a stop request ends it within a slice. Returns
    // at once when the timer cannot be created or armed.
    void Delay(int64_t ms, const StopSignal* stop) override;
};

}  // namespace hs::win
