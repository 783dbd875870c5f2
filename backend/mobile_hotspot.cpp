#include "backend/mobile_hotspot.h"

#include <vector>

#include "backend/adapter_discovery.h"
#include "backend/hardware_address.h"
#include "backend/tethering_words.h"
#include "sys/text.h"
#include "sys/worker.h"

namespace hs::backend {

namespace {

constexpr size_t kMaxSsidBytes = 32;
constexpr size_t kMinKeyCharacters = 8;
constexpr size_t kMaxKeyCharacters = 63;
constexpr int kStateOn = 1;
constexpr int kStateOff = 2;

Step Unavailable(bool wow64) {
    TetheringAnswer answer;
    answer.failure = TetheringFailure::Unavailable;
    answer.code = kClassNotRegistered;
    return TetheringStep(answer, wow64);
}

// The adapter that holds the hotspot's address.
std::optional<AdapterInfo> HotspotAdapter(Host& host) {
    std::vector<AdapterInfo> adapters;
    if (host.adapters == nullptr || !host.adapters->Adapters(adapters))
        return std::nullopt;
    for (const AdapterInfo& adapter : adapters) {
        for (const std::string& address : adapter.ipv4) {
            if (address == kHotspotAddress)
                return adapter;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string MobileHotspotRefusal(const std::string& ssid, const std::string& key) {
    if (ssid.empty() || ssid.size() > kMaxSsidBytes)
        return "WiFi名称要有1到32个字节（一个汉字占3个字节），请改短一些。";
    const size_t characters = CharacterCount(key);
    if (characters < kMinKeyCharacters || characters > kMaxKeyCharacters)
        return "密码要有8到63个字符，请重新输入。";
    return "";
}

bool MobileHotspot::Wow64() {
    return host_.system != nullptr && host_.system->Version().wow64;
}

void MobileHotspot::ShareFrom(const std::string& connectionName) {
    std::lock_guard<std::mutex> lock(mutex_);
    upstreamName_ = connectionName;
}

std::string MobileHotspot::AdapterGuidOf(const std::string& connectionName) {
    if (connectionName.empty())
        return "";
    const std::optional<AdapterInfo> adapter = AdapterNamed(host_, connectionName);
    return adapter ? adapter->adapterName : "";
}

std::string MobileHotspot::Upstream() {
    std::string name;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        name = upstreamName_;
    }
    return AdapterGuidOf(name);
}

Step MobileHotspot::Configure(const std::string& ssid, const std::string& key) {
    const std::string refusal = MobileHotspotRefusal(ssid, key);
    if (!refusal.empty()) {
        Step step;
        step.result = StepResult::Refused;
        step.output = refusal;
        return step;
    }
    if (host_.tethering == nullptr)
        return Unavailable(Wow64());
    return TetheringStep(host_.tethering->Configure(Upstream(), ssid, key, CurrentStop()), Wow64());
}

Step MobileHotspot::Start() {
    if (host_.tethering == nullptr)
        return Unavailable(Wow64());
    const std::string upstream = Upstream();
    const Step step = TetheringStep(host_.tethering->Start(upstream, CurrentStop()), Wow64(), true);
    if (step.result != StepResult::Done || StopRequested())
        return step;
    // The system would switch it off five minutes after the last device left.
    TetheringInfo info;
    if (host_.tethering->Query(upstream, info).failure == TetheringFailure::None &&
        info.timeoutKnown)
        host_.tethering->KeepOnWithoutClients();
    return step;
}

Step MobileHotspot::SwitchOff() {
    // A system without the Mobile Hotspot, or one whose hotspot is off, has nothing to
    // switch off: that is no failure of a stop or a return to idle.
    Step off;
    off.result = StepResult::Done;
    if (host_.tethering == nullptr)
        return off;
    TetheringInfo info;
    const TetheringAnswer query = host_.tethering->Query(Upstream(), info);
    if (query.failure == TetheringFailure::Unavailable ||
        (query.failure == TetheringFailure::None && info.state == kStateOff))
        return off;
    return TetheringStep(host_.tethering->Stop(CurrentStop()), Wow64());
}

Step MobileHotspot::Stop() {
    return SwitchOff();
}

Step MobileHotspot::Disallow() {
    return SwitchOff();
}

Stations MobileHotspot::CurrentStations() {
    Stations stations;
    if (host_.tethering == nullptr)
        return stations;
    TetheringInfo info;
    if (host_.tethering->Query(Upstream(), info).failure != TetheringFailure::None)
        return stations;
    stations.state = info.state == kStateOn    ? NetworkState::Running
                     : info.state == kStateOff ? NetworkState::Idle
                                               : NetworkState::Unknown;
    stations.maxDevices = static_cast<int>(info.maxClientCount);
    if (stations.state != NetworkState::Running || StopRequested())
        return stations;
    std::vector<TetheringClient> clients;
    if (host_.tethering->Clients(clients).failure != TetheringFailure::None) {
        stations.devices = static_cast<int>(info.clientCount);
        return stations;
    }
    for (const TetheringClient& client : clients) {
        if (const std::optional<std::string> mac = NormalizeHardwareAddress(client.macAddress))
            stations.addresses.insert(*mac);
    }
    stations.devices = static_cast<int>(stations.addresses.size());
    return stations;
}

std::string MobileHotspot::FindAdapter(DiscoveryVariant, const std::string&) {
    const std::optional<AdapterInfo> adapter = HotspotAdapter(host_);
    return adapter ? host_.adapters->ConnectionName(adapter->adapterName) : "";
}

HostedInterface MobileHotspot::InterfaceOf(const std::string& adapterName) {
    std::optional<AdapterInfo> adapter = HotspotAdapter(host_);
    if (!adapter && !adapterName.empty())
        adapter = AdapterNamed(host_, adapterName);
    if (adapter && adapter->index > 0)
        return {std::to_string(adapter->index), adapter->index};
    return {};
}

}  // namespace hs::backend
