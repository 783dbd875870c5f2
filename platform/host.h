// The ports: the few small interfaces through which the portable program reaches
// the operating system. A production build fills a Host with the Windows
// implementations (platform/windows/); tests and the demo fill it with the
// simulated laptop (platform/sim/). Nothing portable includes either of them.
//
// Text crossing a port is UTF-8 unless a method says it carries raw bytes.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace hs {

// Shared by a worker thread and whoever asks it to stop. Waits that the worker
// makes (command polls, delays) return early once a stop was requested.
class StopSignal {
  public:
    void Request() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requested_.store(true);
        }
        changed_.notify_all();
    }
    bool Requested() const { return requested_.load(); }
    // Sleeps up to `ms` milliseconds of real time; returns true when a stop was
    // requested before or during the wait.
    bool WaitFor(int64_t ms) const {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::milliseconds(ms > 0 ? ms : 0),
                                 [this] { return requested_.load(); });
    }

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::atomic<bool> requested_{false};
};

// Runs console command lines hidden and captures what they print.
class CommandRunner {
  public:
    virtual ~CommandRunner() = default;
    // Runs `commandLine` (passed to the system as it stands) and sets `output` to
    // everything it printed on standard output and standard error, decoded from the
    // console's code page to UTF-8. Returns false, with `output` empty, when the
    // command could not be started at all; a command that started and printed
    // nothing returns true. When `stop` is requested while the command runs, returns
    // at once with what was read so far; the child is left to finish on its own. A
    // stop requested before the call starts nothing and returns true, empty.
    virtual bool Run(const std::string& commandLine, const StopSignal* stop,
                     std::string& output) = 0;
};

// Time and pauses. Under test the clock is virtual: a pause costs no real time and
// is recorded, so a test can assert the exact sequence of pauses.
class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary fixed point; never goes backwards.
    virtual int64_t NowMs() = 0;
    // Waits `ms` milliseconds without processing window messages: pauses run on
    // workers, never on the window thread, and no handler may run inside a wait.
    // Returns at once when `stop` is (or becomes) requested, or when the wait cannot
    // be set up.
    virtual void Delay(int64_t ms, const StopSignal* stop) = 0;
};

// GBK (code page 936) <-> UTF-8. Bytes that do not decode become U+FFFD; characters
// that GBK cannot hold become "?".
class TextCodec {
  public:
    virtual ~TextCodec() = default;
    virtual std::string GbkToUtf8(std::string_view gbk) = 0;
    virtual std::string Utf8ToGbk(std::string_view utf8) = 0;
};

// What reading a whole file found. A file that exists but cannot be read (no right
// to read it, opened exclusively by another program, a read error, a folder of that
// name) is Failed, never Missing: a writer must not take it for an empty file.
enum class FileRead { Ok, Missing, Failed };

// Whole-file access. Paths are the program's own Windows paths (such as
// "c:\tulawifi.ini"); the simulated host maps them into its data folder. No method
// throws.
class FileStore {
  public:
    virtual ~FileStore() = default;
    // Reads the whole file as raw bytes. `bytes` is set only when the answer is Ok.
    virtual FileRead Read(const std::string& path, std::string& bytes) = 0;
    // Writes the bytes to a temporary file beside the target and renames it over the
    // target, so the file is never left half-written. False when that failed (the
    // old file is then unchanged). A write that cannot succeed (a read-only target,
    // a folder of that name) fails at once; only a target briefly held open by a
    // reader is retried for a moment.
    virtual bool Write(const std::string& path, std::string_view bytes) = 0;
    // Removes the temporary files that writes of `path` left behind when the program
    // was killed in the middle of one; the number removed. Meant for start-up, before
    // the program writes anything. A store that never leaves temporaries has none.
    virtual int RemoveStaleTemporaries(const std::string& path) {
        (void)path;
        return 0;
    }
};

// The operating system's version, as the two places the program reads it report it.
struct OsVersion {
    // What the system reports to the process (GetVersion). Windows 8.1 and later tell
    // a process without a compatibility declaration 6.2.
    int reportedMajor = 6;
    int reportedMinor = 1;
    // The process environment block's fields: platform id (2 = NT, 1 = 9x), major,
    // minor.
    int blockPlatformId = 2;
    int blockMajor = 6;
    int blockMinor = 1;
    // The system's real version and build number (RtlGetVersion), which no manifest
    // changes: 10.0.19045 on Windows 10 22H2, 10.0.22631 on Windows 11 23H2. 0 when
    // the system could not tell.
    int realMajor = 0;
    int realMinor = 0;
    int realBuild = 0;
    // A 32-bit process on 64-bit Windows (WOW64).
    bool wow64 = false;
};

// Whether the process runs with an administrator's rights, as its token says.
enum class Elevation { Unknown, Elevated, NotElevated };

class SystemInfo {
  public:
    virtual ~SystemInfo() = default;
    virtual OsVersion Version() = 0;
    // The process token's elevation; Unknown where the system cannot tell.
    virtual Elevation ProcessElevation() { return Elevation::Unknown; }
    // The first character of `utf8` that the system's ANSI code page cannot hold
    // unchanged: the console tools write a network's name and key in that code page,
    // so such a character would reach the network as another one ("?"). Empty when the
    // code page holds them all.
    virtual std::string Unencodable(const std::string& utf8) {
        (void)utf8;
        return {};
    }
};

// A rectangle in screen pixels; `right` and `bottom` lie just outside it.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The screens the desktop spans.
struct DisplayLayout {
    // The primary screen's size in pixels.
    int screenWidth = 0;
    int screenHeight = 0;
    // Every monitor's work area (the monitor without the task bar and docked tool
    // bars), in virtual-screen coordinates: the primary monitor's top left is 0, 0
    // and other monitors may lie at negative coordinates. Empty when the system
    // could not list its monitors.
    std::vector<ScreenRect> workAreas;
    // Every monitor's whole area, in the same coordinates and order: `monitors[i]` is
    // the monitor of `workAreas[i]`. Empty when the system did not report them.
    std::vector<ScreenRect> monitors;
};

// The desktop the program runs on.
class Desktop {
  public:
    virtual ~Desktop() = default;
    // Looks for a top-level window titled exactly `title`; when there is one, restores
    // it (the open-icon operation) and returns true.
    virtual bool RestoreExistingWindow(const std::string& title) = 0;
    // The primary screen's size and the monitors' work areas as they are now.
    virtual DisplayLayout Displays() = 0;
};

// Internet Connection Sharing, as the sharing manager of the system offers it.
// Connections are named as the network connections folder names them; those
// names are unique on a machine.
enum class SharingError {
    None = 0,
    ServiceUnavailable,  // the sharing manager cannot be created or enumerated
    AccessDenied,        // the process lacks administrator rights
    NotFound,            // no connection of that name
    Failed,              // the system refused the change for another reason
};

// How a connection takes part in sharing.
enum class SharingType { Public = 0, Private = 1 };

struct SharingConnection {
    std::string name;
    // The connection's status: 0 disconnected (also when disabled), 1 connecting,
    // 2 connected, 3 disconnecting, 7 media disconnected, ...
    int status = 0;
    bool sharingEnabled = false;
    SharingType sharingType = SharingType::Public;  // meaningful when sharing is enabled
};

class SharingManager {
  public:
    virtual ~SharingManager() = default;
    // Every network connection of the machine, in the order the system yields them.
    virtual SharingError Connections(std::vector<SharingConnection>& out) = 0;
    // Switches sharing on for the named connection: as the public (shared) side or
    // as the private side that receives the shared access. A failure's own result code
    // (the system's HRESULT, e.g. 0x80040201) goes to `code` when one is given.
    virtual SharingError EnableSharing(const std::string& name, SharingType type,
                                       uint32_t* code) = 0;
    SharingError EnableSharing(const std::string& name, SharingType type) {
        return EnableSharing(name, type, nullptr);
    }
    // Switches sharing off for the named connection; one that is not shared is left
    // alone (nothing to switch off).
    virtual SharingError DisableSharing(const std::string& name) = 0;
};

// One record of the IPv4 adapter list (GetAdaptersInfo).
struct AdapterInfo {
    std::string adapterName;   // the adapter's GUID in braces, "{...}"
    std::string description;   // the driver's description
    int index = 0;             // its interface index
    bool dhcpEnabled = false;  // whether it takes its IPv4 address from DHCP
    // Its IPv4 addresses in dotted form ("192.168.137.1"), without the unset
    // "0.0.0.0"; empty when it has none.
    std::vector<std::string> ipv4;
};

class AdapterList {
  public:
    virtual ~AdapterList() = default;
    // The adapter list in the system's order; false when the system refused it.
    virtual bool Adapters(std::vector<AdapterInfo>& out) = 0;
    // The connection name the registry keeps for the adapter GUID (the "Name"
    // value of its "\Connection" key); empty when there is none.
    virtual std::string ConnectionName(const std::string& adapterName) = 0;
};

// The wireless Hosted Network as the WLAN API reports it, in no language.
enum class HostedNetworkState { Unavailable, Idle, Active };

struct HostedNetworkStatus {
    HostedNetworkState state = HostedNetworkState::Unavailable;
    // The virtual adapter's GUID in braces, upper case ("{...}"); empty when the system
    // gave none.
    std::string deviceGuid;
    // The joined devices' hardware addresses in dash form, upper case.
    std::vector<std::string> peers;
};

// Whether the wireless driver can host a network (the WLAN API's "hosted network
// capable" answer for the machine's wireless interfaces).
enum class HostingSupport {
    Unknown,      // no WLAN API, no wireless interface, or the system did not answer
    Supported,    // at least one interface answered that it can
    Unsupported,  // every interface answered that it cannot
};

class WirelessLan {
  public:
    virtual ~WirelessLan() = default;
    // The Hosted Network's status; false when the WLAN API is missing (it appears in
    // Windows 7) or answered with an error: then nothing is known.
    virtual bool HostedNetwork(HostedNetworkStatus& out) = 0;
    // Whether the driver can host a network at all.
    virtual HostingSupport DriverHosting() { return HostingSupport::Unknown; }
};

// The Windows 10 and 11 Mobile Hotspot (the system's tethering manager), in no
// language. The manager always shares one connection profile: `upstream` names the
// adapter of the connection to share by its GUID in braces ("{...}"), matched against
// each profile's adapter; when no profile matches, or `upstream` is empty, the
// Internet connection's profile is shared. Every call blocks until the system has
// answered and is made on a worker; a call may be made from several workers at once.
enum class TetheringFailure {
    None,         // the system answered: `status` says how the operation ended
    Unavailable,  // the system has no Mobile Hotspot (no WinRT, the classes not
                  // registered); `code` holds the activation's result
    NoProfile,    // no connection profile to share: neither the asked nor the Internet one
    Failed,       // a call failed: `code` holds its result (E_ACCESSDENIED, ...)
    TimedOut,     // the operation did not complete within its bound (60 s)
    Stopped,      // the worker's stop was asked before the operation completed
};

// The system's answer to one tethering call.
struct TetheringAnswer {
    TetheringFailure failure = TetheringFailure::None;
    // The HRESULT of the call that failed, or the operation's error code when it
    // ended in error; 0 when the system answered.
    uint32_t code = 0;
    // The operation's status when `failure` is None: 0 Success, 1 Unknown,
    // 2 MobileBroadbandDeviceOff, 3 WiFiDeviceOff, 4 EntitlementCheckTimeout,
    // 5 EntitlementCheckFailure, 6 OperationInProgress, 7 BluetoothDeviceOff,
    // 8 NetworkLimitedConnectivity, 9 AlreadyOn, 10 RadioRestriction,
    // 11 BandInterference; later systems may add others.
    int status = 0;
    // The system's own words about the outcome (AdditionalErrorMessage); may be empty.
    std::string message;
    bool Succeeded() const { return failure == TetheringFailure::None && status == 0; }
};

// What the tethering manager reports about the hotspot now.
struct TetheringInfo {
    // TetheringCapability of the shared profile: 0 Enabled, 1 DisabledByGroupPolicy,
    // 2 DisabledByHardwareLimitation, 3 DisabledByOperator, 4 DisabledBySku,
    // 5 DisabledByRequiredAppNotInstalled, 6 DisabledDueToUnknownCause,
    // 7 DisabledBySystemCapability.
    int capability = 0;
    // TetheringOperationalState: 0 Unknown, 1 On, 2 Off, 3 InTransition.
    int state = 0;
    uint32_t clientCount = 0;
    uint32_t maxClientCount = 0;
    // Whether the system switches the hotspot off 5 minutes after the last device
    // left, and whether it lets the program change that (Windows 10 2004 and later).
    bool timeoutKnown = false;
    bool timeoutEnabled = false;
};

// A device on the Mobile Hotspot, as the system lists it.
struct TetheringClient {
    // The hardware address as the system writes it (its format is not documented).
    std::string macAddress;
    // The names it is known by: IPv4 and IPv6 addresses in text, host names.
    std::vector<std::string> hostNames;
};

class Tethering {
  public:
    virtual ~Tethering() = default;
    // The hotspot's capability, state, client counts and no-client timeout.
    virtual TetheringAnswer Query(const std::string& upstream, TetheringInfo& out) = 0;
    // Gives the hotspot its name and key (ConfigureAccessPointAsync), kept by the
    // system for later starts.
    virtual TetheringAnswer Configure(const std::string& upstream, const std::string& ssid,
                                      const std::string& key, const StopSignal* stop) = 0;
    // Switches the hotspot on, sharing `upstream`.
    virtual TetheringAnswer Start(const std::string& upstream, const StopSignal* stop) = 0;
    // Switches the hotspot off.
    virtual TetheringAnswer Stop(const StopSignal* stop) = 0;
    // The devices on the hotspot now.
    virtual TetheringAnswer Clients(std::vector<TetheringClient>& out) = 0;
    // Keeps the hotspot on while no device is connected (DisableNoConnectionsTimeout).
    virtual TetheringAnswer KeepOnWithoutClients() = 0;
};

// One row of the interface table (GetIfTable). `inOctets` and `outOctets` are the
// system's 32-bit counters: they wrap past 4294967295. Where the system keeps 64-bit
// counters as well (GetIfTable2, Windows Vista and later), `wideCounters` is true and
// `inOctets64` and `outOctets64` hold them; the 32-bit ones are then their low bits.
// Without them the 64-bit fields repeat the 32-bit counters.
struct InterfaceRow {
    uint32_t index = 0;
    uint32_t type = 0;        // 6 Ethernet, 23 PPP, 24 loopback, 71 wireless, 131 tunnel
    std::string description;  // the driver's description
    uint32_t inOctets = 0;    // bytes received
    uint32_t outOctets = 0;   // bytes sent
    uint64_t inOctets64 = 0;
    uint64_t outOctets64 = 0;
    bool wideCounters = false;
};

class InterfaceTable {
  public:
    virtual ~InterfaceTable() = default;
    // Every interface, sorted by index; false, with `out` unchanged, when the system
    // refused the table.
    virtual bool Rows(std::vector<InterfaceRow>& out) = 0;
};

// What the system says about reaching the Internet (InternetGetConnectedStateEx).
struct InternetState {
    bool connected = false;
    // 0x01 modem, 0x02 LAN, 0x04 proxy, 0x10 RAS installed, 0x20 offline, 0x40 configured.
    uint32_t flags = 0;
    std::string name;  // "LAN 连接" over the local network, else the dial-up entry's name
};

class InternetQuery {
  public:
    virtual ~InternetQuery() = default;
    virtual InternetState Query() = 0;
};

// A service's start type and state, as the service control manager reports them.
struct ServiceStatus {
    int startType = 0;     // 2 automatic, 3 manual (demand), 4 disabled
    int currentState = 0;  // 1 stopped, 2 start pending, 3 stop pending, 4 running
};

class ServiceManager {
  public:
    virtual ~ServiceManager() = default;
    // False when the manager or the service cannot be opened with all access.
    virtual bool Query(const std::string& service, ServiceStatus& out) = 0;
    // Changes only the start type; false when that failed.
    virtual bool SetStartType(const std::string& service, int startType) = 0;
    // Starts the service without arguments; false when the system refused.
    virtual bool Start(const std::string& service) = 0;
};

struct HttpResponse {
    int status = 0;    // the HTTP status; 0 when no answer came
    std::string body;  // raw bytes of the response body
};

class HttpClient {
  public:
    virtual ~HttpClient() = default;
    // A plain GET of `url`. Returns early, with status 0, once `stop` is requested.
    virtual HttpResponse Get(const std::string& url, const StopSignal* stop) = 0;
};

// Starting things the program does not wait for.
class Shell {
  public:
    virtual ~Shell() = default;
    // Opens the address in the default web browser.
    virtual bool OpenUrl(const std::string& url) = 0;
    // Starts a program (a command line) detached, with the default window style.
    virtual bool StartDetached(const std::string& commandLine) = 0;
};

// Reachability and names of addresses on the network.
class NetworkProbe {
  public:
    virtual ~NetworkProbe() = default;
    // Sends one echo request to the IPv4 address and waits up to `timeoutMs` for a
    // reply; true when one came. Returns false at once once `stop` is requested.
    virtual bool Ping(const std::string& ipv4, int64_t timeoutMs, const StopSignal* stop) = 0;
    // The host name registered for the IPv4 address; empty when there is none.
    virtual std::string HostName(const std::string& ipv4) = 0;
};

class Power {
  public:
    virtual ~Power() = default;
    // Enables the shutdown privilege of the process and asks the system to shut
    // down (not forced); true when the request was accepted.
    virtual bool Shutdown() = 0;
};

// The system's cryptographic random number generator.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // Fills `out` with `count` unpredictable bytes; false, with `out` unspecified, when
    // the system could not give them.
    virtual bool Fill(uint8_t* out, size_t count) = 0;
};

// What the program is given to reach the system. The ports are owned by whoever
// builds the Host (a Windows host or a simulated laptop) and outlive it.
struct Host {
    CommandRunner* commands = nullptr;
    Clock* clock = nullptr;
    TextCodec* codec = nullptr;
    FileStore* files = nullptr;
    SystemInfo* system = nullptr;
    Desktop* desktop = nullptr;
    SharingManager* sharing = nullptr;
    AdapterList* adapters = nullptr;
    WirelessLan* wireless = nullptr;
    InterfaceTable* interfaces = nullptr;
    InternetQuery* internet = nullptr;
    ServiceManager* services = nullptr;
    HttpClient* http = nullptr;
    Shell* shell = nullptr;
    NetworkProbe* network = nullptr;
    Power* power = nullptr;
    RandomSource* random = nullptr;
    // The Mobile Hotspot; null where the system has none to offer.
    Tethering* tethering = nullptr;
};

}  // namespace hs
