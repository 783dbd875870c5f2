#include "backend/hosted_network.h"

#include <algorithm>

#include "backend/adapter_discovery.h"
#include "backend/interface_lookup.h"
#include "sys/command.h"
#include "sys/regex.h"
#include "sys/text.h"

namespace hs::backend {

namespace {

// A colon-form hardware address, as the status lists the BSSID and the stations.
constexpr const char* kColonPattern = "([0-9A-F]{2})(:[0-9A-F]{2}){5}";

// Runs `commandLine`; CouldNotRun when it could not be started, else Done.
Step RunStep(Host& host, const std::string& commandLine) {
    Step step;
    step.result =
        TryRunCommand(host, commandLine, step.output) ? StepResult::Done : StepResult::CouldNotRun;
    return step;
}

}  // namespace

Step HostedNetwork::Configure(const std::string& ssid, const std::string& key) {
    Step step = RunStep(
        host_, "netsh wlan set hostednetwork mode=allow ssid=\"" + ssid + "\" key=\"" + key + "\"");
    if (step.Ran() && Contains(step.output, "管理员"))
        step.result = StepResult::NotAdministrator;
    return step;
}

Step HostedNetwork::Start() {
    Step step = RunStep(host_, "netsh wlan start hostednetwork");
    if (step.Ran() && Contains(step.output, "无法"))
        step.result = StepResult::Refused;
    return step;
}

Step HostedNetwork::Stop() {
    return RunStep(host_, "netsh wlan stop hostednetwork");
}

Step HostedNetwork::Disallow() {
    return RunStep(host_, "netsh wlan set hostednetwork mode=disallow");
}

Stations HostedNetwork::CurrentStations() {
    return ReadHostedNetworkStatus(RunCommand(host_, "netsh wlan show hostednetwork"));
}

std::string HostedNetwork::FindAdapter(DiscoveryVariant variant, const std::string& current) {
    return HostedAdapterDiscovery(host_, variant, current);
}

HostedInterface HostedNetwork::InterfaceOf(const std::string& adapterName) {
    return LookupInterfaceNumber(host_, adapterName);
}

Stations ReadHostedNetworkStatus(const std::string& status) {
    Stations stations;
    RegexObject state;
    state.Create("状态[ \\t]*:[ \\t]*(\\S+)", status);
    const std::string word = state.SubMatchText(1, 1);
    if (word == "已启动")
        stations.state = NetworkState::Running;
    else if (word == "未启动")
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
