// Stopping the hotspot, and returning the window to idle with sharing switched off.
#pragma once

#include <cstdint>

#include "hotspot/hotspot.h"

namespace hs::hotspot {

// How long the window thread waits (processing messages) for a start to end before
// it switches sharing off anyway; the start stays owned until it has ended.
inline constexpr int64_t kStartStopWaitMs = 5000;

// The stop button: stops the hosted network and shows the idle window. Connection
// sharing stays configured; the next start switches it off first when the upstream
// connection changed in between. Window thread.
void StopSharing(Hotspot& hotspot);

// The idle window, a running start asked to end and waited for, sharing switched off
// everywhere and the hosted network disallowed. Used by the exit paths, the timed
// shutdown and an accepted update. Window thread. `waitMs` bounds the wait for the
// start (the exit paths have waited already and pass 0).
void ResetToIdle(Hotspot& hotspot, int64_t waitMs = kStartStopWaitMs);

}  // namespace hs::hotspot
