// Which way the hotspot is switched on: the wireless driver's Hosted Network, or, where
// the driver cannot host a network, the Windows 10 and 11 Mobile Hotspot.
#pragma once

#include <string>

#include "platform/host.h"

namespace hs::backend {

enum class BackendKind { HostedNetwork, MobileHotspot };

// What the settings file asks for: "hosted" or "mobile" force that way; anything else
// (the default, empty) lets the system's facts decide.
enum class BackendPreference { Automatic, HostedNetwork, MobileHotspot };
BackendPreference PreferenceFromSetting(const std::string& value);

// What the system says, as the choice needs it.
struct BackendFacts {
    HostingSupport driverHosting = HostingSupport::Unknown;
    OsVersion version;
    bool tetheringPresent = false;
    // The tethering manager's Query did not answer Unavailable.
    bool tetheringAvailable = false;
};

// The first build with the Mobile Hotspot's tethering manager: Windows 10 1607.
inline constexpr int kMobileHotspotBuild = 14393;
bool HasMobileHotspotBuild(const OsVersion& version);

// The Mobile Hotspot only where the driver answered that it cannot host a network and the
// system offers the Mobile Hotspot (real build 10.0.14393 or later, the port present and
// available), or where the preference forces it; else the Hosted Network.
BackendKind ChooseBackend(BackendPreference preference, const BackendFacts& facts);

// Whether the system's Mobile Hotspot is on now (its state asked, which blocks): a
// worker's question before anything switches connection sharing off. False where there
// is none.
bool MobileHotspotIsOn(Host& host);

// Reads the preference and the system's facts and chooses. It may ask the tethering
// manager (a call that blocks): workers only.
BackendKind DecideBackend(Host& host, const std::string& preferenceSetting);

}  // namespace hs::backend
