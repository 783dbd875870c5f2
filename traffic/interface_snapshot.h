// The interface table as the traffic displays read it: a snapshot of every row, and
// the hosted adapter's counters picked out of it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/host.h"

namespace hs::traffic {

// Every interface row in the system's order (sorted by interface index).
using InterfaceSnapshot = std::vector<InterfaceRow>;

// Reads the system's interface table into `target`. False when the system refused
// the table (or there is no table port); `target` then keeps its previous rows.
bool RefreshSnapshot(Host& host, InterfaceSnapshot& target);

// One interface's byte counters at one moment. "Received" is what the interface
// took in: on the hosted adapter, what the devices sent (their upload). "Sent" is
// what it gave out: what the devices received (their download).
struct CounterReading {
    uint32_t received32 = 0;  // the system's 32-bit counters, wrapping past 4294967295
    uint32_t sent32 = 0;
    uint64_t received = 0;  // the 64-bit counters; the 32-bit ones repeated when !wide
    uint64_t sent = 0;
    bool wide = false;  // the system keeps 64-bit counters for this interface
};

// The counters of the row whose interface index equals `interfaceNumber`. Interface
// indexes are sparse (1, 10, 11, 26, ...), so the row is found by its index, never
// by its position in the table. Empty when no row has that index.
std::optional<CounterReading> ReadingFor(const InterfaceSnapshot& snapshot, int interfaceNumber);

}  // namespace hs::traffic
