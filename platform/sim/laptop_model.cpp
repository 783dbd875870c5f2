// The laptop's timeline and the facts every port derives from its state.
#include <algorithm>

#include "platform/sim/console_text.h"
#include "platform/sim/laptop_model.h"

namespace hs::sim {
namespace {

constexpr const char* kHostedAddress = "192.168.137.1";

// A lease in 192.168.137.2 ... 254 derived from the hardware address, so the same
// device gets the same address in every run; taken addresses move it up by one.
std::string ChooseLease(const LaptopModel& model, const SimDevice& device) {
    uint32_t hash = 2166136261u;
    for (char c : device.mac)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    uint32_t host = 2 + hash % 253;
    for (int tries = 0; tries < 253; ++tries) {
        const std::string ip = "192.168.137." + std::to_string(host);
        const bool taken = std::any_of(model.devices.begin(), model.devices.end(),
                                       [&](const SimDevice& d) { return d.ip == ip; });
        if (!taken)
            return ip;
        host = host >= 254 ? 2 : host + 1;
    }
    return {};
}

// The devices associated now, in the order they joined.
std::vector<const SimDevice*> AssociatedInJoinOrder(const LaptopModel& model) {
    std::vector<const SimDevice*> stations;
    for (const auto& d : model.devices) {
        if (model.Associated(d, model.nowMs))
            stations.push_back(&d);
    }
    std::stable_sort(stations.begin(), stations.end(),
                     [](const SimDevice* a, const SimDevice* b) { return a->joinMs < b->joinMs; });
    return stations;
}

}  // namespace

SimConnection* LaptopModel::Find(const std::string& name) {
    for (auto& c : connections) {
        if (EqualsNoCase(c.name, name))
            return &c;
    }
    return nullptr;
}

SimConnection* LaptopModel::FindIndex(uint32_t index) {
    for (auto& c : connections) {
        if (c.index == index && Present(c))
            return &c;
    }
    return nullptr;
}

SimConnection* LaptopModel::Hosted() {
    for (auto& c : connections) {
        if (c.kind == ConnectionKind::Hosted)
            return &c;
    }
    return nullptr;
}

const SimConnection* LaptopModel::Hosted() const {
    for (const auto& c : connections) {
        if (c.kind == ConnectionKind::Hosted)
            return &c;
    }
    return nullptr;
}

bool LaptopModel::Present(const SimConnection& c) const {
    if (c.kind == ConnectionKind::Hosted)
        return (hosted.allowed && wireless && hostedSupported) || mobile.on;
    if (c.kind == ConnectionKind::Wifi || c.kind == ConnectionKind::WifiDirect)
        return wireless;
    return true;
}

int LaptopModel::Status(const SimConnection& c) const {
    if (c.disabled || !Present(c))
        return 0;
    if (c.kind == ConnectionKind::Hosted)
        return hosted.started || mobile.on ? 2 : 7;
    if (c.kind == ConnectionKind::Wifi && !radioOn)
        return 7;
    return c.linkStatus;
}

bool LaptopModel::Up(const SimConnection& c) const {
    return Status(c) == 2 && !c.address.empty();
}

bool LaptopModel::Associated(const SimDevice& d, int64_t ms) const {
    const auto present = [ms](const SimDevice& x) {
        return x.joinMs <= ms && (x.leaveMs < 0 || ms < x.leaveMs);
    };
    if (!(hosted.started || mobile.on) || !present(d))
        return false;
    if (hosted.started)
        return true;
    // The Mobile Hotspot takes no more devices than its maximum: the first to come.
    uint32_t before = 0;
    for (const auto& other : devices) {
        if (&other != &d && present(other) &&
            (other.joinMs < d.joinMs || (other.joinMs == d.joinMs && &other < &d))) {
            ++before;
        }
    }
    return before < mobile.maxClients;
}

HostedNetworkState LaptopModel::HostedState() const {
    if (!wireless || !hostedSupported || !radioOn || !hosted.allowed)
        return HostedNetworkState::Unavailable;
    return hosted.started ? HostedNetworkState::Active : HostedNetworkState::Idle;
}

std::vector<const SimDevice*> LaptopModel::Stations() const {
    if (HostedState() != HostedNetworkState::Active)
        return {};
    return AssociatedInJoinOrder(*this);
}

std::vector<const SimDevice*> LaptopModel::MobileStations() const {
    if (!mobile.on)
        return {};
    return AssociatedInJoinOrder(*this);
}

void LaptopModel::SwitchMobile(bool on, const std::string& shared) {
    SimConnection* h = Hosted();
    SimConnection* up = Find(on ? shared : mobile.sharedName);
    if (on) {
        // The system shares the connection over the virtual adapter: one public and
        // one private side, as any sharing.
        for (auto& c : connections)
            c.sharingEnabled = false;
        if (h != nullptr) {
            h->address = kHostedAddress;
            h->prefix = 24;
            h->dhcp = false;
            h->sharingEnabled = true;
            h->sharingType = SharingType::Private;
        }
        if (up != nullptr) {
            up->sharingEnabled = true;
            up->sharingType = SharingType::Public;
        }
        services["SharedAccess"].status.currentState = 4;
        mobile.on = true;
        mobile.onSinceMs = nowMs;
        mobile.sharedName = shared;
        return;
    }
    if (h != nullptr)
        h->sharingEnabled = false;
    if (up != nullptr)
        up->sharingEnabled = false;
    mobile.on = false;
    mobile.sharedName.clear();
}

int64_t LaptopModel::MobileOffAt() const {
    if (!mobile.on)
        return -1;
    int64_t at = mobile.offAfterMs >= 0 ? mobile.onSinceMs + mobile.offAfterMs : -1;
    if (!mobile.keepOn && MobileStations().empty()) {
        int64_t idleSince = mobile.onSinceMs;
        for (const auto& d : devices) {
            if (d.leaveMs > idleSince && d.leaveMs <= nowMs && d.joinMs < d.leaveMs)
                idleSince = d.leaveMs;
        }
        const int64_t idleOff = idleSince + kMobileIdleOffMs;
        at = at < 0 ? idleOff : std::min(at, idleOff);
    }
    return at;
}

bool LaptopModel::Blocked(const SimDevice& d) const {
    if (d.ip.empty())
        return false;
    const SimConnection* h = Hosted();
    if (h == nullptr)
        return false;
    const std::string own = DashMac(d.mac);
    return std::any_of(neighbours.begin(), neighbours.end(), [&](const SimNeighbour& n) {
        return n.index == h->index && n.ip == d.ip && n.mac != own;
    });
}

bool LaptopModel::HostedServes() const {
    const SimConnection* h = Hosted();
    return h != nullptr && Present(*h) && h->address == kHostedAddress && h->sharingEnabled &&
           h->sharingType == SharingType::Private;
}

void LaptopModel::AdvanceTo(int64_t ms) {
    if (ms < nowMs)
        ms = nowMs;
    // Works through the time in pieces between joins and leaves; inside a piece
    // nothing changes but the bytes moved.
    while (true) {
        const int64_t mobileOff = MobileOffAt();
        if (mobileOff >= 0 && mobileOff <= nowMs)
            SwitchMobile(false);
        const bool serves = HostedServes();
        for (auto& d : devices) {
            if (!Associated(d, nowMs) || !serves)
                continue;
            if (d.ip.empty())
                d.ip = ChooseLease(*this, d);
            d.lastSeenMs = nowMs;
        }
        if (nowMs >= ms)
            break;
        int64_t next = ms;
        for (const auto& d : devices) {
            if (d.joinMs > nowMs && d.joinMs < next)
                next = d.joinMs;
            if (d.leaveMs > nowMs && d.leaveMs < next)
                next = d.leaveMs;
        }
        const int64_t off = MobileOffAt();
        if (off > nowMs && off < next)
            next = off;
        for (auto& d : devices) {
            if (!Associated(d, nowMs) || !serves || d.ip.empty() || Blocked(d))
                continue;
            d.activeMs += next - nowMs;
            d.lastSeenMs = next;
        }
        nowMs = next;
    }
}

uint64_t LaptopModel::InOctets(const SimConnection& c) const {
    uint64_t total = c.inBase;
    for (const auto& d : devices) {
        const uint64_t active = static_cast<uint64_t>(d.activeMs);
        if (c.kind == ConnectionKind::Hosted)
            total += d.upRate * active / 1000;
        if (c.name == upstream)
            total += d.downRate * active / 1000;
    }
    return total;
}

uint64_t LaptopModel::OutOctets(const SimConnection& c) const {
    uint64_t total = c.outBase;
    for (const auto& d : devices) {
        const uint64_t active = static_cast<uint64_t>(d.activeMs);
        if (c.kind == ConnectionKind::Hosted)
            total += d.downRate * active / 1000;
        if (c.name == upstream)
            total += d.upRate * active / 1000;
    }
    return total;
}

OsVersion LaptopModel::Version() const {
    OsVersion v;
    if (windows == "7") {
        v.reportedMinor = 1;
        v.blockMinor = 1;
        v.realMajor = 6;
        v.realMinor = 1;
        v.realBuild = 7601;
        return v;
    }
    // Without a compatibility declaration Windows 8.1 and later report themselves as
    // 6.2; the process environment block and the real version keep the truth.
    v.reportedMinor = 2;
    if (windows == "10" || windows == "11") {
        v.blockMajor = 10;
        v.blockMinor = 0;
        v.realMajor = 10;
        v.realMinor = 0;
        v.realBuild = windows == "10" ? 19045 : 22631;
    } else {
        v.blockMinor = windows == "8.1" ? 3 : 2;
        v.realMajor = 6;
        v.realMinor = v.blockMinor;
        v.realBuild = windows == "8.1" ? 9600 : 9200;
    }
    return v;
}

std::string LaptopModel::Run(const std::string& commandLine) {
    commands.push_back(commandLine);
    std::vector<std::string> tokens = SplitCommandLine(commandLine);
    if (tokens.empty())
        return {};
    std::string program = Lower(tokens[0]);
    const size_t slash = program.find_last_of("\\/");
    if (slash != std::string::npos)
        program = program.substr(slash + 1);
    if (program.size() > 4 && program.compare(program.size() - 4, 4, ".exe") == 0) {
        program.resize(program.size() - 4);
    }
    const std::vector<std::string> args(tokens.begin() + 1, tokens.end());
    std::string out;
    if (program == "netsh") {
        const std::string context = args.empty() ? std::string() : Lower(args[0]);
        const std::vector<std::string> rest(args.empty() ? args.end() : args.begin() + 1,
                                            args.end());
        if (context == "wlan") {
            out = Wlan(rest);
        } else if (context == "interface") {
            out = Interface(rest);
        } else {
            std::string joined;
            for (const auto& a : args)
                joined += (joined.empty() ? "" : " ") + a;
            out = Words().commandNotFound + joined + Words().commandNotFoundEnd + "\n";
        }
    } else if (program == "arp") {
        out = Arp(args);
    } else {
        out = "'" + tokens[0] + Words().notAProgram + "\n";
    }
    return ToCrLf(out);
}

}  // namespace hs::sim
