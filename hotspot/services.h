// The start types of the sharing and firewall services.
#pragma once

#include <string>

#include "app/app.h"

namespace hs::hotspot {

// Gives the service the wanted start type when it has another and, when asked,
// starts it if it is stopped. A firewall that cannot be started is reported; a
// service that cannot be opened is passed over silently.
void EnsureService(app::App& app, const std::string& service, int startType, bool startIfStopped);

}  // namespace hs::hotspot
