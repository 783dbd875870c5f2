// The laptop's network ports: connection sharing, the adapter list and registry
// names, the wireless service's view of the hosted network, the interface table,
// the Internet-connection query, ping and names.
#include <algorithm>

#include "platform/sim/console_text.h"
#include "platform/sim/laptop_ports.h"

namespace hs::sim {
namespace {

class SimSharing : public SharingManager {
  public:
    explicit SimSharing(LaptopCore& core) : core_(core) {}

    SharingError Connections(std::vector<SharingConnection>& out) override {
        auto lock = core_.Lock();
        out.clear();
        const LaptopModel& m = core_.model;
        if (!m.sharingAvailable)
            return SharingError::ServiceUnavailable;
        for (const auto& c : m.connections) {
            if (!m.Present(c))
                continue;
            out.push_back({c.name, m.Status(c), c.sharingEnabled, c.sharingType});
        }
        return SharingError::None;
    }

    using SharingManager::EnableSharing;
    SharingError EnableSharing(const std::string& name, SharingType type, uint32_t* code) override {
        auto lock = core_.Lock();
        LaptopModel& m = core_.model;
        SimConnection* c = nullptr;
        const SharingError error = Check(name, c);
        if (error != SharingError::None)
            return error;
        if (m.services["SharedAccess"].status.startType == 4)
            return SharingError::ServiceUnavailable;
        if (m.sharingErrorCode != 0) {
            if (code != nullptr)
                *code = m.sharingErrorCode;
            return SharingError::Failed;
        }
        // One public and one private connection at most: enabling a side moves it.
        for (auto& other : m.connections) {
            if (other.sharingEnabled && other.sharingType == type)
                other.sharingEnabled = false;
        }
        c->sharingEnabled = true;
        c->sharingType = type;
        m.services["SharedAccess"].status.currentState = 4;  // sharing runs in this service
        m.AdvanceTo(m.nowMs);
        return SharingError::None;
    }

    SharingError DisableSharing(const std::string& name) override {
        auto lock = core_.Lock();
        SimConnection* c = nullptr;
        const SharingError error = Check(name, c);
        if (error != SharingError::None)
            return error;
        if (!c->sharingEnabled)
            core_.model.unsharedDisables.push_back(name);
        c->sharingEnabled = false;
        return SharingError::None;
    }

  private:
    SharingError Check(const std::string& name, SimConnection*& c) {
        LaptopModel& m = core_.model;
        if (!m.sharingAvailable)
            return SharingError::ServiceUnavailable;
        if (!m.admin)
            return SharingError::AccessDenied;
        c = m.Find(name);
        if (c == nullptr || !m.Present(*c))
            return SharingError::NotFound;
        return SharingError::None;
    }

    LaptopCore& core_;
};

class SimAdapters : public AdapterList {
  public:
    explicit SimAdapters(LaptopCore& core) : core_(core) {}

    bool Adapters(std::vector<AdapterInfo>& out) override {
        auto lock = core_.Lock();
        out.clear();
        const LaptopModel& m = core_.model;
        for (const auto& c : m.connections) {
            // Disabled adapters and dial-up entries are not in the list.
            if (!m.Present(c) || c.disabled || c.kind == ConnectionKind::Ppp)
                continue;
            AdapterInfo info{c.guid, c.description, static_cast<int>(c.index), c.dhcp, {}};
            if (!c.address.empty())
                info.ipv4.push_back(c.address);
            out.push_back(info);
        }
        return true;
    }

    std::string ConnectionName(const std::string& adapterName) override {
        auto lock = core_.Lock();
        for (const auto& c : core_.model.connections) {
            if (EqualsNoCase(c.guid, adapterName))
                return c.name;
        }
        return {};
    }

  private:
    LaptopCore& core_;
};

class SimWireless : public WirelessLan {
  public:
    explicit SimWireless(LaptopCore& core) : core_(core) {}

    bool HostedNetwork(HostedNetworkStatus& out) override {
        auto lock = core_.Lock();
        const LaptopModel& m = core_.model;
        out = HostedNetworkStatus{};
        if (!m.wlanApi)
            return false;
        out.state = m.HostedState();
        // The virtual adapter exists while the hosted network is allowed; its GUID is
        // the one the adapter list gives it.
        const SimConnection* hosted = m.Hosted();
        if (hosted != nullptr && m.Present(*hosted))
            out.deviceGuid = Upper(hosted->guid);
        for (const SimDevice* d : m.Stations())
            out.peers.push_back(Upper(DashMac(d->mac)));
        return true;
    }

    // The driver's own answer, in no language; nothing is known without the WLAN API
    // or a wireless adapter.
    HostingSupport DriverHosting() override {
        auto lock = core_.Lock();
        const LaptopModel& m = core_.model;
        if (!m.wlanApi || !m.wireless)
            return HostingSupport::Unknown;
        return m.hostedSupported ? HostingSupport::Supported : HostingSupport::Unsupported;
    }

  private:
    static std::string Upper(std::string text) {
        for (char& c : text) {
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        }
        return text;
    }

    LaptopCore& core_;
};

class SimInterfaces : public InterfaceTable {
  public:
    explicit SimInterfaces(LaptopCore& core) : core_(core) {}

    bool Rows(std::vector<InterfaceRow>& out) override {
        auto lock = core_.Lock();
        const LaptopModel& m = core_.model;
        out.clear();
        out.push_back({1, 24, "Software Loopback Interface 1", 0, 0, 0, 0, true});
        for (const auto& c : m.connections) {
            if (!m.Present(c) || c.disabled)
                continue;
            if (c.kind == ConnectionKind::Ppp && m.Status(c) != 2)
                continue;
            const uint32_t type = c.kind == ConnectionKind::Ppp        ? 23
                                  : c.kind == ConnectionKind::Ethernet ? 6
                                                                       : 71;
            // The system's 32-bit counters are the low bits of its 64-bit ones.
            const uint64_t in = m.InOctets(c), sent = m.OutOctets(c);
            out.push_back({c.index, type, c.description, static_cast<uint32_t>(in),
                           static_cast<uint32_t>(sent), in, sent, true});
        }
        // The tunnel pseudo-interfaces every such system has.
        const std::pair<uint32_t, const char*> tunnels[] = {
            {12, "Microsoft ISATAP Adapter"}, {13, "Teredo Tunneling Pseudo-Interface"}};
        for (const auto& [index, description] : tunnels) {
            const bool taken = std::any_of(out.begin(), out.end(),
                                           [&](const InterfaceRow& r) { return r.index == index; });
            if (!taken)
                out.push_back({index, 131, description, 0, 0, 0, 0, true});
        }
        std::sort(out.begin(), out.end(),
                  [](const InterfaceRow& a, const InterfaceRow& b) { return a.index < b.index; });
        return true;
    }

  private:
    LaptopCore& core_;
};

class SimInternet : public InternetQuery {
  public:
    explicit SimInternet(LaptopCore& core) : core_(core) {}

    InternetState Query() override {
        auto lock = core_.Lock();
        LaptopModel& m = core_.model;
        InternetState state;
        state.flags = 0x10;  // RAS installed
        const SimConnection* c = m.Find(m.upstream);
        if (c == nullptr || !m.Up(*c)) {
            state.flags |= 0x20;
            return state;
        }
        state.connected = true;
        if (c->kind == ConnectionKind::Ppp) {
            state.flags |= 0x01 | 0x40;
            state.name = c->name;
        } else {
            // Every local-network connection, wired or wireless, is reported as one name.
            state.flags |= 0x02 | 0x40;
            state.name = "LAN 连接";
        }
        return state;
    }

  private:
    LaptopCore& core_;
};

class SimProbe : public NetworkProbe {
  public:
    explicit SimProbe(LaptopCore& core) : core_(core) {}

    bool Ping(const std::string& ipv4, int64_t timeoutMs, const StopSignal* stop) override {
        if (stop != nullptr && stop->Requested())
            return false;
        {
            auto lock = core_.Lock();
            if (Answers(ipv4))
                return true;
        }
        // No reply: the whole time limit passes on the laptop's clock.
        core_.clock.Delay(timeoutMs, stop);
        return false;
    }

    std::string HostName(const std::string& ipv4) override {
        auto lock = core_.Lock();
        const LaptopModel& m = core_.model;
        for (const auto& d : m.devices) {
            // Connection sharing registers its clients' names under its own suffix.
            if (d.ip == ipv4 && !d.hostName.empty() && d.lastSeenMs >= 0)
                return d.hostName + ".mshome.net";
        }
        const auto it = m.names.find(ipv4);
        return it != m.names.end() ? it->second : std::string();
    }

  private:
    bool Answers(const std::string& ip) {
        const LaptopModel& m = core_.model;
        if (ip.rfind("127.", 0) == 0)
            return true;
        for (const auto& c : m.connections) {
            if (!m.Up(c))
                continue;
            if (c.address == ip || c.gateway == ip)
                return true;
        }
        for (const auto& d : m.devices) {
            if (d.ip == ip && m.Associated(d, m.nowMs) && m.HostedServes() && !m.Blocked(d)) {
                return d.answersPing;
            }
        }
        return false;
    }

    LaptopCore& core_;
};

}  // namespace

std::unique_ptr<SharingManager> MakeSharingPort(LaptopCore& core) {
    return std::make_unique<SimSharing>(core);
}
std::unique_ptr<AdapterList> MakeAdapterPort(LaptopCore& core) {
    return std::make_unique<SimAdapters>(core);
}
std::unique_ptr<WirelessLan> MakeWirelessPort(LaptopCore& core) {
    return std::make_unique<SimWireless>(core);
}
std::unique_ptr<InterfaceTable> MakeInterfacePort(LaptopCore& core) {
    return std::make_unique<SimInterfaces>(core);
}
std::unique_ptr<InternetQuery> MakeInternetPort(LaptopCore& core) {
    return std::make_unique<SimInternet>(core);
}
std::unique_ptr<NetworkProbe> MakeProbePort(LaptopCore& core) {
    return std::make_unique<SimProbe>(core);
}

}  // namespace hs::sim
