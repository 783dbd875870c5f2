#include "traffic/session_counter.h"

namespace hs::traffic {
namespace {

// A 32-bit step of 2 GiB or more is no traffic between two readings: the counter
// went backwards.
constexpr uint32_t kBackwards32 = 0x80000000u;

}  // namespace

void SessionCounter::Start(const CounterReading& reading, Direction direction) {
    direction_ = direction;
    const bool sent = direction == Direction::Sent;
    last_ = sent ? reading.sent : reading.received;
    last32_ = sent ? reading.sent32 : reading.received32;
    lastWide_ = reading.wide;
    bytes_ = 0;
}

void SessionCounter::Advance(const CounterReading& reading) {
    const bool sent = direction_ == Direction::Sent;
    const uint64_t now = sent ? reading.sent : reading.received;
    const uint32_t now32 = sent ? reading.sent32 : reading.received32;
    uint64_t step = 0;
    if (reading.wide && lastWide_) {
        step = now >= last_ ? now - last_ : now;
    } else {
        const uint32_t step32 = now32 - last32_;  // modulo 2^32
        step = step32 < kBackwards32 ? step32 : now32;
    }
    bytes_ += step;
    last_ = now;
    last32_ = now32;
    lastWide_ = reading.wide;
}

}  // namespace hs::traffic
