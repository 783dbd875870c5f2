// Stopping the hotspot, and returning the window to idle with sharing switched off.
// The window thread shows the first steps and starts a worker for the commands; the
// worker posts the end back.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "hotspot/hotspot.h"

namespace hs::hotspot {

// How long a return to idle waits (on its worker) for a start to end before it gives up
// switching sharing off: a start still inside a sharing call would switch it on again.
inline constexpr int64_t kStartStopWaitMs = 5000;

extern const char* const kStopFailedText;
extern const char* const kSwitchOffFailedText;

// The stop button: shows the idle window, keeps `upstream` (the upstream connection
// shown) as the one of the last stop, then stops the hosted network on the stop
// worker. Connection sharing stays configured; the next start switches it off first
// when the upstream connection changed in between. A stop whose command could not be
// run says so and shows the running window again. Window thread.
void StopSharing(Hotspot& hotspot, const std::string& upstream);

// What the user is told when the system switched the Mobile Hotspot off by itself.
extern const char* const kSwitchedOffBySystemText;

// The system switched the hotspot off by itself (its timeout, sleep, its own settings, the
// driver): the window shows idle as after a stop, and whoever is told of a stop is told.
// False, with nothing changed, when the session was not running. Window thread.
bool HotspotWentOff(Hotspot& hotspot);

// What a return to idle did, handed to whoever asked for it.
struct ResetEnd {
    bool startEnded = true;  // the start had ended, so sharing could be switched off
    bool failed = false;     // switching sharing off or disallowing the hosted network failed
};

// The idle window at once (button "开启共享", "未启动", the boxes editable); then, on the
// reset worker, a running start is asked to end and waited for (at most `waitMs`), and
// only once it has ended is sharing switched off everywhere and the hosted network
// disallowed. `then` runs on the window thread at the end; without one, a failure is
// told in a message box. Used by the exit paths, the timed shutdown and an accepted
// update. Window thread.
void ResetToIdle(Hotspot& hotspot, std::function<void(const ResetEnd&)> then = {},
                 int64_t waitMs = kStartStopWaitMs);

}  // namespace hs::hotspot
