// The bytes one direction of an interface has moved since a starting reading,
// followed from reading to reading.
#pragma once

#include <cstdint>

#include "traffic/interface_snapshot.h"

namespace hs::traffic {

enum class Direction { Received, Sent };

class SessionCounter {
  public:
    // The reading the count starts from; the count is 0.
    void Start(const CounterReading& reading, Direction direction);
    // Adds what moved since the previous reading. With 64-bit counters on both
    // readings this is their difference; otherwise the 32-bit difference modulo 2^32,
    // which is right across one wrap. A counter that went backwards was restarted
    // (the adapter was reset): what it shows now is what moved since, so nothing is
    // lost and nothing turns negative.
    void Advance(const CounterReading& reading);
    uint64_t Bytes() const { return bytes_; }

  private:
    Direction direction_ = Direction::Sent;
    uint64_t last_ = 0;
    uint32_t last32_ = 0;
    bool lastWide_ = false;
    uint64_t bytes_ = 0;
};

}  // namespace hs::traffic
