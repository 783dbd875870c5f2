#include "backend/hosted_network.h"

#include <algorithm>

#include "backend/adapter_discovery.h"
#include "backend/console_words.h"
#include "backend/interface_lookup.h"
#include "sys/command.h"
#include "sys/regex.h"
#include "sys/text.h"
#include "sys/worker.h"

namespace hs::backend {

namespace {

// A colon-form hardware address, as the status lists the BSSID and the stations.
constexpr const char* kColonPattern = "([0-9A-F]{2})(:[0-9A-F]{2}){5}";
// The status line, in the languages the program knows: "状态 : 已启动",
// "狀態 : 已啟動", "Status : Started".
constexpr const char* kStatusPattern = "(状态|狀態|Status)[ \\t]*:[ \\t]*([^\\r\\n]*)";

// Runs `commandLine`; CouldNotRun when it could not be started, else Done.
Step RunStep(Host& host, const std::string& commandLine) {
    Step step;
    step.result =
        TryRunCommand(host, commandLine, step.output) ? StepResult::Done : StepResult::CouldNotRun;
    return step;
}

// Why the system says the network is not running, for the failure message.
std::string NotRunningReason(HostedNetworkState state, Elevation elevation) {
    if (elevation == Elevation::NotElevated)
        return "系统报告：承载网络没有运行，程序没有管理员权限。";
    if (state == HostedNetworkState::Unavailable) {
        return "系统报告：承载网络不可用（无线网络开关关闭、无线网卡驱动不支持承载网络，"
               "或被组策略禁止）。";
    }
    return "系统报告：承载网络没有运行。";
}

}  // namespace

Elevation HostedNetwork::ProcessElevation() {
    return host_.system != nullptr ? host_.system->ProcessElevation() : Elevation::Unknown;
}

bool HostedNetwork::QueryStatus(HostedNetworkStatus& status) {
    return host_.wireless != nullptr && host_.wireless->HostedNetwork(status);
}

Step HostedNetwork::Configure(const std::string& ssid, const std::string& key) {
    Step step = RunStep(
        host_, "netsh wlan set hostednetwork mode=allow ssid=\"" + ssid + "\" key=\"" + key + "\"");
    if (!step.Ran())
        return step;
    // The token tells in every language; the answer's words only where it cannot.
    const Elevation elevation = ProcessElevation();
    const bool notElevated = elevation == Elevation::Unknown ? SaysNotAdministrator(step.output)
                                                             : elevation == Elevation::NotElevated;
    if (notElevated)
        step.result = StepResult::NotAdministrator;
    return step;
}

Step HostedNetwork::Start() {
    Step step = RunStep(host_, "netsh wlan start hostednetwork");
    if (!step.Ran())
        return step;
    HostedNetworkStatus status;
    if (!QueryStatus(status)) {
        if (SaysStartFailed(step.output))
            step.result = StepResult::Refused;
        return step;
    }
    // Only a network the system reports active has started, whatever the answer said.
    if (status.state != HostedNetworkState::Active) {
        step.result = StepResult::Refused;
        if (!SaysStartFailed(step.output))
            step.reason = NotRunningReason(status.state, ProcessElevation());
    }
    return step;
}

Step HostedNetwork::Stop() {
    return RunStep(host_, "netsh wlan stop hostednetwork");
}

Step HostedNetwork::Disallow() {
    return RunStep(host_, "netsh wlan set hostednetwork mode=disallow");
}

Stations HostedNetwork::CurrentStations() {
    const std::string listing = RunCommand(host_, "netsh wlan show hostednetwork");
    HostedNetworkStatus status;
    if (StopRequested() || !QueryStatus(status))
        return ReadHostedNetworkStatus(listing);
    Stations stations;
    stations.state =
        status.state == HostedNetworkState::Active ? NetworkState::Running : NetworkState::Idle;
    if (status.state == HostedNetworkState::Active) {
        stations.addresses.insert(status.peers.begin(), status.peers.end());
        stations.devices = static_cast<int>(status.peers.size());
    }
    return stations;
}

std::string HostedNetwork::FindAdapter(DiscoveryVariant variant, const std::string& current) {
    HostedNetworkStatus status;
    if (QueryStatus(status) && !status.deviceGuid.empty()) {
        const std::optional<AdapterInfo> adapter = AdapterWithGuid(host_, status.deviceGuid);
        if (adapter) {
            const std::string name = host_.adapters->ConnectionName(adapter->adapterName);
            if (!name.empty())
                return name;
        }
    }
    return HostedAdapterDiscovery(host_, variant, current);
}

HostedInterface HostedNetwork::InterfaceOf(const std::string& adapterName) {
    const HostedInterface listed = LookupInterfaceNumber(host_, adapterName);
    if (StopRequested())
        return listed;
    // The virtual adapter the system names, else the adapter of that connection name:
    // its own index. The listing's words only where neither is known.
    HostedNetworkStatus status;
    std::optional<AdapterInfo> adapter;
    if (QueryStatus(status) && !status.deviceGuid.empty())
        adapter = AdapterWithGuid(host_, status.deviceGuid);
    if (!adapter)
        adapter = AdapterNamed(host_, adapterName);
    if (adapter && adapter->index > 0)
        return {std::to_string(adapter->index), adapter->index};
    return listed;
}

Stations ReadHostedNetworkStatus(const std::string& status) {
    Stations stations;
    RegexObject state;
    state.Create(kStatusPattern, status);
    const std::string word = state.SubMatchText(1, 2);
    if (SaysStarted(word))
        stations.state = NetworkState::Running;
    else if (SaysNotStarted(word))
        stations.state = NetworkState::Idle;

    RegexObject matches;
    matches.Create(kColonPattern, status);
    for (int n = 1; n <= matches.MatchCount(); ++n) {
        std::string address = matches.MatchText(n);
        for (char& c : address) {
            if (c == ':')
                c = '-';
            else if (c >= 'a' && c <= 'f')
                c = static_cast<char>(c - 'a' + 'A');
        }
        stations.addresses.insert(std::move(address));
    }
    stations.devices = std::max(0, matches.MatchCount() - 1);
    return stations;
}

}  // namespace hs::backend
