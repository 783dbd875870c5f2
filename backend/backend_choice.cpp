#include "backend/backend_choice.h"

namespace hs::backend {

BackendPreference PreferenceFromSetting(const std::string& value) {
    if (value == "hosted")
        return BackendPreference::HostedNetwork;
    if (value == "mobile")
        return BackendPreference::MobileHotspot;
    return BackendPreference::Automatic;
}

bool HasMobileHotspotBuild(const OsVersion& version) {
    if (version.realMajor != 10)
        return version.realMajor > 10;
    return version.realMinor > 0 || version.realBuild >= kMobileHotspotBuild;
}

BackendKind ChooseBackend(BackendPreference preference, const BackendFacts& facts) {
    if (preference == BackendPreference::HostedNetwork)
        return BackendKind::HostedNetwork;
    if (preference == BackendPreference::MobileHotspot)
        return BackendKind::MobileHotspot;
    const bool mobileOffered =
        HasMobileHotspotBuild(facts.version) && facts.tetheringPresent && facts.tetheringAvailable;
    return facts.driverHosting == HostingSupport::Unsupported && mobileOffered
               ? BackendKind::MobileHotspot
               : BackendKind::HostedNetwork;
}

bool MobileHotspotIsOn(Host& host) {
    if (host.tethering == nullptr || host.system == nullptr ||
        !HasMobileHotspotBuild(host.system->Version()))
        return false;
    TetheringInfo info;
    const TetheringAnswer answer = host.tethering->Query("", info);
    constexpr int kStateOn = 1;
    return answer.failure == TetheringFailure::None && info.state == kStateOn;
}

BackendKind DecideBackend(Host& host, const std::string& preferenceSetting) {
    const BackendPreference preference = PreferenceFromSetting(preferenceSetting);
    BackendFacts facts;
    if (host.wireless != nullptr)
        facts.driverHosting = host.wireless->DriverHosting();
    if (host.system != nullptr)
        facts.version = host.system->Version();
    facts.tetheringPresent = host.tethering != nullptr;
    // The tethering manager is asked only when its answer can change the choice.
    if (preference == BackendPreference::Automatic &&
        facts.driverHosting == HostingSupport::Unsupported && facts.tetheringPresent &&
        HasMobileHotspotBuild(facts.version)) {
        TetheringInfo info;
        facts.tetheringAvailable =
            host.tethering->Query("", info).failure != TetheringFailure::Unavailable;
    }
    return ChooseBackend(preference, facts);
}

}  // namespace hs::backend
