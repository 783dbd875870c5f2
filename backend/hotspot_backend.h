// The way the hotspot itself is switched on: configuring, starting and stopping the
// wireless network the phones join, what it runs like now, who has joined, and which
// adapter and interface carry it. The start procedure, the stop, the return to idle
// and the client list reach the system through this interface only, so another way of
// switching the hotspot on is another implementation of it.
//
// The methods block (they run console commands or wait for the system) and are called
// on workers only, from several at once: an implementation keeps no state between
// calls, or guards what it keeps. A worker whose stop was asked gets an early answer.
#pragma once

#include <string>
#include <unordered_set>

namespace hs::backend {

// How a step of the backend ended.
enum class StepResult {
    Done,              // the system did it
    Refused,           // the system answered that it could not (the start failed)
    NotAdministrator,  // the system refused because the program is not elevated
    CouldNotRun,       // the step could not be carried out at all (no netsh, no API)
};

struct Step {
    StepResult result = StepResult::CouldNotRun;
    // What the system said, as a failure message shows it.
    std::string output;
    // Why the system's state says the step failed when `output` does not say so.
    std::string reason;
    bool Ran() const { return result != StepResult::CouldNotRun; }
};

// Whether the network runs, as far as the system tells.
enum class NetworkState { Unknown, Idle, Running };

// Who is on the network now.
struct Stations {
    NetworkState state = NetworkState::Unknown;
    // The hardware addresses the system lists, in dash form and upper case
    // ("A4-5E-60-C1-22-33"). May hold the network's own address besides the devices'.
    std::unordered_set<std::string> addresses;
    // How many devices have joined, never below 0.
    int devices = 0;
    // How many devices the system lets join at most; 0 when it does not say.
    int maxDevices = 0;
};

// Where the hotspot's adapter is looked for: Windows 8 and later name it differently.
enum class DiscoveryVariant { Windows8, Other };

// The adapter's interface as the neighbour commands and the interface table know it.
struct HostedInterface {
    // The index as text: the interface argument of the neighbour commands. Empty when
    // no interface was found: no other interface's index stands in for it.
    std::string index;
    // The same index as a number: selects the hosted row of the interface table; 0
    // (no row) when none was found.
    int number = 0;
};

class HotspotBackend {
  public:
    virtual ~HotspotBackend() = default;

    // Gives the network its name and key and allows it. NotAdministrator when the
    // system refused for want of elevation.
    virtual Step Configure(const std::string& ssid, const std::string& key) = 0;
    // Switches the network on. Refused when the system could not start it.
    virtual Step Start() = 0;
    // Switches the network off; it stays configured.
    virtual Step Stop() = 0;
    // Switches the network off and forbids it until it is configured again.
    virtual Step Disallow() = 0;
    // The network's state and the devices on it.
    virtual Stations CurrentStations() = 0;
    // The connection name of the adapter that carries the network, found anew; `current`
    // is what was found before (kept when nothing is found, as the variant says).
    virtual std::string FindAdapter(DiscoveryVariant variant, const std::string& current) = 0;
    // The interface of the connection named `adapterName`.
    virtual HostedInterface InterfaceOf(const std::string& adapterName) = 0;

    // Whether the system's own hotspot shares the upstream connection itself: then the
    // program's own connection-sharing steps (the switch-on, the static address, the
    // switch-off pass) are not run for it, and the system may switch it off on its own
    // (the client pass then finds it Idle while the session runs).
    virtual bool SharesItself() const { return false; }
    // The upstream connection (its name in the connections folder) the next Start
    // shares, for a backend that shares itself; the others ignore it.
    virtual void ShareFrom(const std::string& connectionName) { (void)connectionName; }
};

}  // namespace hs::backend
