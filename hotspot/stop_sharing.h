// Stopping the hotspot, and returning the window to idle with sharing switched off.
#pragma once

#include "app/app.h"

namespace hs::hotspot {

// The stop button: stops the hosted network and shows the idle window. Connection
// sharing stays configured; the next start switches it off first when the upstream
// connection changed in between.
void StopSharing(app::App& app);

// The idle window, a running start ended (cooperatively; not when called on the
// start thread itself), sharing switched off everywhere and the hosted network
// disallowed. Used by a failed start and by the exit paths.
void ResetToIdle(app::App& app);

}  // namespace hs::hotspot
