// The background preparation: from the initialising window to the idle one, then
// the update check, the announcement and the services.
#pragma once

#include "hotspot/hotspot.h"

namespace hs::hotspot {

// Starts the preparation on its worker (hotspot.preparationTask). Window thread; the
// controls' content it needs is read here.
void StartBackgroundPreparation(Hotspot& hotspot);

}  // namespace hs::hotspot
