// The state of the simulated laptop and the rules that change it. Not thread-safe:
// SimulatedLaptop holds the lock around every use. Times are milliseconds since the
// laptop was built (the scenario's time 0).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/sim/console_words.h"

namespace hs::sim {

// Kinds of network connections the laptop can have.
enum class ConnectionKind { Wifi, Ethernet, Ppp, Hosted, WifiDirect };

struct SimConnection {
    std::string name;  // as the network connections folder shows it
    ConnectionKind kind = ConnectionKind::Ethernet;
    std::string description;  // the driver's description
    std::string guid;         // "{...}"
    uint32_t index = 0;       // the IPv4 interface index
    int linkStatus = 2;       // status while enabled: 2 connected, 7 media disconnected
    bool disabled = false;    // switched off in the network connections folder
    bool dhcp = true;
    std::string address;  // IPv4 address; empty when it has none
    int prefix = 24;
    std::string gateway;
    std::string gatewayMac;  // dash form
    int metric = 25;
    bool sharingEnabled = false;
    SharingType sharingType = SharingType::Public;
    uint64_t inBase = 0;  // octet counters before any simulated traffic
    uint64_t outBase = 0;
};

// A phone or other device that comes and goes on the hosted network.
struct SimDevice {
    std::string mac;       // colon form, lower case
    std::string hostName;  // without the sharing suffix; empty: registers no name
    int64_t joinMs = 0;
    int64_t leaveMs = -1;   // -1: never leaves
    uint64_t downRate = 0;  // bytes per second the device receives
    uint64_t upRate = 0;    // bytes per second the device sends
    bool answersPing = true;
    std::string ip;           // its lease on 192.168.137.x; empty until it got one
    int64_t lastSeenMs = -1;  // last time it was associated with an address
    int64_t activeMs = 0;     // time it moved traffic
};

struct SimNeighbour {
    uint32_t index = 0;
    std::string ip;
    std::string mac;  // dash form
};

struct SimService {
    ServiceStatus status;
    bool startFails = false;
};

// A command that answers late: a command line that starts with `prefix` (letter case
// ignored), run at `fromMs` or later, waits `delayMs` on the laptop's clock before it
// answers and does not give up when asked to stop meanwhile.
struct SimSlowCommand {
    std::string prefix;
    int64_t delayMs = 0;
    int64_t fromMs = 0;
};

struct SimHostedNetwork {
    bool configured = false;  // a mode was ever set
    bool allowed = false;
    std::string ssid;
    std::string key;
    bool started = false;
    std::string bssid = "8e:70:5a:1c:2b:3d";
    int channel = 11;
};

// The Windows 10 and 11 Mobile Hotspot as the system's tethering manager runs it.
struct SimMobileHotspot {
    bool available = false;   // the system offers it (Windows 10 and 11 by default)
    int64_t offAfterMs = -1;  // the system switches it off this long after it came on
    uint32_t maxClients = 8;
    std::string ssid = "LAPTOP-5A1C 3177";  // what the system keeps: its own until configured
    std::string key = "8u1B4#39";
    bool on = false;
    int64_t onSinceMs = 0;
    std::string sharedName;  // the connection it shares while on
    bool keepOn = false;     // the no-connections timeout was switched off
    // The calls the program made, in order: "configure SSID", "start NAME", "stop",
    // "keep on".
    std::vector<std::string> calls;
};

// The system switches an idle Mobile Hotspot off this long after the last device left.
constexpr int64_t kMobileIdleOffMs = 300000;

struct LaptopModel {
    // The machine.
    std::string windows = "7";  // "7", "8", "8.1", "10" or "11"
    bool admin = true;
    bool wireless = true;  // a wireless adapter is fitted
    bool radioOn = true;
    bool hostedSupported = true;
    bool wlanApi = true;  // the system has the WLAN API's Hosted Network functions
    bool sharingAvailable = true;
    // When not 0, switching sharing on fails with this result code (the scenario's
    // "sharing_error 0x80040201").
    uint32_t sharingErrorCode = 0;
    // The language the console tools answer in.
    ConsoleLanguage language = ConsoleLanguage::SimplifiedChinese;
    // The code page of non-Unicode programs: 936 (Chinese) or 1252 (Western).
    int ansiCodePage = 936;
    std::string wirelessDriver = "Intel(R) Centrino(R) Wireless-N 1030";
    std::string upstream;                    // the connection that leads to the Internet
    std::vector<SimConnection> connections;  // in the system's order; the hosted one included
    std::vector<SimDevice> devices;
    std::vector<SimNeighbour> neighbours;  // static entries set with netsh
    std::map<std::string, SimService> services;
    std::map<std::string, std::string> pages;  // URL or path -> UTF-8 body
    std::map<std::string, std::string> names;  // IPv4 -> host name
    bool existingWindow = false;               // another instance's window is open
    // Command lines that start with one of these (letter case ignored) cannot be
    // started, as when the program is missing.
    std::vector<std::string> unstartable;
    // Commands that answer late; the first that applies to a command line counts.
    std::vector<SimSlowCommand> slow;
    // Command line -> the console bytes (GBK, as captured) it answers instead of
    // what the model would print.
    std::map<std::string, std::string> replies;
    SimHostedNetwork hosted;
    SimMobileHotspot mobile;
    // The system's random generator: the state of its fixed sequence (a scenario's
    // "random SEED"), so every run of a scenario draws the same bytes; or none.
    uint64_t randomState = 1;
    bool randomAvailable = true;

    // What the program did, in order.
    std::vector<std::string> commands;
    std::vector<std::string> httpRequests;
    std::vector<std::string> openedUrls;
    std::vector<std::string> startedPrograms;
    int shutdownRequests = 0;
    // Connections whose sharing was switched off while they were not shared: a call
    // that crashes the sharing manager of Windows 10 1607 and later.
    std::vector<std::string> unsharedDisables;

    int64_t nowMs = 0;  // the time the model has been advanced to

    // Moves the timeline to `ms`: devices associate and leave, get leases and move
    // traffic. Never goes back.
    void AdvanceTo(int64_t ms);
    // Runs a console command line; returns what it prints (UTF-8, CR LF).
    std::string Run(const std::string& commandLine);
    // The console's words in the laptop's language.
    const ConsoleWords& Words() const { return WordsOf(language); }

    SimConnection* Find(const std::string& name);
    SimConnection* FindIndex(uint32_t index);
    SimConnection* Hosted();
    const SimConnection* Hosted() const;
    // The hosted adapter exists while the hosted network is allowed.
    bool Present(const SimConnection& c) const;
    // The status the sharing manager reports (0, 2 or 7).
    int Status(const SimConnection& c) const;
    // Up and holding an address: listed by arp and in the interface's routes.
    bool Up(const SimConnection& c) const;
    bool Associated(const SimDevice& d, int64_t ms) const;
    // The hosted network as the wireless service sees it: unavailable without an
    // adapter that can host it, with the radio off or while it is not allowed; idle
    // when allowed but not started; active once started.
    HostedNetworkState HostedState() const;
    // The devices associated with the started hosted network, in the order they
    // associated (blocked ones included: blocking does not disassociate).
    std::vector<const SimDevice*> Stations() const;
    // The devices on the Mobile Hotspot, in the order they associated.
    std::vector<const SimDevice*> MobileStations() const;
    // Switches the Mobile Hotspot on, sharing `shared`, or off: the system shares the
    // connection itself and gives the virtual adapter its address.
    void SwitchMobile(bool on, const std::string& shared = {});
    // When the system will switch the running Mobile Hotspot off by itself (its own
    // bound or the idle timeout); -1 while nothing will.
    int64_t MobileOffAt() const;
    bool Blocked(const SimDevice& d) const;
    // The hosted side hands out leases: it is 192.168.137.1 and shared privately.
    bool HostedServes() const;
    // The interface's octet counters, widened (the 32-bit ones are the low bits).
    uint64_t InOctets(const SimConnection& c) const;
    uint64_t OutOctets(const SimConnection& c) const;
    OsVersion Version() const;

    // Command families (laptop_wlan.cpp, laptop_interface.cpp, laptop_arp.cpp).
    std::string Wlan(const std::vector<std::string>& args);
    std::string Interface(const std::vector<std::string>& args);
    std::string Arp(const std::vector<std::string>& args);
    std::string ShowAddresses() const;
    std::string ShowOffload() const;
};

// How long an ARP entry of a device that left stays in the table.
constexpr int64_t kArpLingerMs = 120000;

}  // namespace hs::sim
