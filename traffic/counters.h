// The interface-counter table of the current session.
#pragma once

#include "app/app.h"

namespace hs::traffic {

// Rebuilds Session::counters from the system's interface table: one row per
// interface in the system's order (sorted by index), its received and sent byte
// counters. When the system refuses the table the previous rows stay.
void RefreshCounters(app::App& app);

}  // namespace hs::traffic
