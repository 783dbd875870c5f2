// The background preparation: from the initialising window to the idle one, then
// the update check, the announcement and the services.
#pragma once

#include "app/app.h"

namespace hs::hotspot {

// The preparation thread's procedure. Ends early, at its next step, once a stop
// is asked.
void BackgroundPreparation(app::App& app);

}  // namespace hs::hotspot
