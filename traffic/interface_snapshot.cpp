#include "traffic/interface_snapshot.h"

#include <utility>

namespace hs::traffic {

bool RefreshSnapshot(Host& host, InterfaceSnapshot& target) {
    if (host.interfaces == nullptr)
        return false;
    InterfaceSnapshot rows;
    if (!host.interfaces->Rows(rows))
        return false;
    target = std::move(rows);
    return true;
}

std::optional<CounterReading> ReadingFor(const InterfaceSnapshot& snapshot, int interfaceNumber) {
    // Interface index 0 is never assigned; negative numbers name nothing.
    if (interfaceNumber <= 0)
        return std::nullopt;
    for (const InterfaceRow& row : snapshot) {
        if (row.index != static_cast<uint32_t>(interfaceNumber))
            continue;
        CounterReading reading;
        reading.received32 = row.inOctets;
        reading.sent32 = row.outOctets;
        reading.wide = row.wideCounters;
        reading.received = row.wideCounters ? row.inOctets64 : row.inOctets;
        reading.sent = row.wideCounters ? row.outOctets64 : row.outOctets;
        return reading;
    }
    return std::nullopt;
}

}  // namespace hs::traffic
