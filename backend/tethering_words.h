// What the Mobile Hotspot's answers mean, in words a user understands.
#pragma once

#include <cstdint>
#include <string>

#include "backend/hotspot_backend.h"
#include "platform/host.h"

namespace hs::backend {

// REGDB_E_CLASSNOTREG: the system has no tethering manager to create.
inline constexpr uint32_t kClassNotRegistered = 0x80040154;
// E_ACCESSDENIED.
inline constexpr uint32_t kAccessDenied = 0x80070005;
// The operation statuses the program tells apart (TetheringOperationStatus).
inline constexpr int kStatusWiFiDeviceOff = 3;
inline constexpr int kStatusAlreadyOn = 9;

// The step an answer makes: Done when the system did it (AlreadyOn counts as done when
// `alreadyOnIsDone`), CouldNotRun when the system has no Mobile Hotspot, Refused
// otherwise; `output` holds the words for the failure message: what happened, the
// system's own message as it stands when it gave one, and the result code in hex for a
// failed call. `wow64`: a 32-bit program on 64-bit Windows, pointed to the 64-bit one
// when the Mobile Hotspot is unavailable to it.
Step TetheringStep(const TetheringAnswer& answer, bool wow64, bool alreadyOnIsDone = false);

// The words for an answer that is not a success (empty for a success).
std::string TetheringWords(const TetheringAnswer& answer, bool wow64);

}  // namespace hs::backend
