// The start types of the sharing and firewall services.
#pragma once

#include <string>

#include "platform/host.h"

namespace hs::hotspot {

// Gives the service the wanted start type when it has another and, when asked,
// starts it if it is stopped. False only when a service that had to be started could
// not be (the caller tells the user); a service that cannot be opened is passed over.
bool EnsureService(Host& host, const std::string& service, int startType, bool startIfStopped);

}  // namespace hs::hotspot
