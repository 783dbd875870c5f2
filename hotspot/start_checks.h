// The checks of the network name and password before a start changes anything.
#pragma once

#include <string>

#include "hotspot/hotspot.h"

namespace hs::hotspot {

// The name or password as it will reach the system: its first three spaces removed,
// then trimmed.
std::string WithoutSpaces(const std::string& text);

// Refuses a name or password that cannot be used, with a balloon tip beside its
// box; true when both can be used. Nothing else is changed.
bool CheckNameAndPassword(Hotspot& hotspot, const std::string& ssid, const std::string& key);

}  // namespace hs::hotspot
