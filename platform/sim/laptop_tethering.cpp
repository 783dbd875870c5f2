// The laptop's Mobile Hotspot: the tethering manager of Windows 10 and 11 as the
// simulated system runs it. It answers at once; the devices come and go on the
// laptop's timeline while it is on.
#include <algorithm>
#include <optional>

#include "platform/sim/console_text.h"
#include "platform/sim/laptop_ports.h"

namespace hs::sim {
namespace {

constexpr uint32_t kClassNotRegistered = 0x80040154u;
constexpr uint32_t kAccessDenied = 0x80070005u;
constexpr uint32_t kInvalidArgument = 0x80070057u;
constexpr int kStatusSuccess = 0;
constexpr int kStatusWiFiDeviceOff = 3;

TetheringAnswer Failure(TetheringFailure failure, uint32_t code = 0) {
    TetheringAnswer answer;
    answer.failure = failure;
    answer.code = code;
    return answer;
}

TetheringAnswer Status(int status) {
    TetheringAnswer answer;
    answer.status = status;
    return answer;
}

class SimTethering : public Tethering {
  public:
    explicit SimTethering(LaptopCore& core) : core_(core) {}

    TetheringAnswer Query(const std::string& upstream, TetheringInfo& out) override {
        auto lock = core_.Lock();
        const LaptopModel& m = core_.model;
        out = TetheringInfo{};
        if (const auto refusal = Refusal(m, nullptr))
            return *refusal;
        if (Profile(upstream) == nullptr)
            return Failure(TetheringFailure::NoProfile);
        out.capability = m.wireless ? 0 : 2;  // no adapter: disabled by hardware limitation
        out.state = m.mobile.on ? 1 : 2;
        out.clientCount = static_cast<uint32_t>(m.MobileStations().size());
        out.maxClientCount = m.mobile.maxClients;
        // The no-connections timeout can be read and changed from Windows 10 2004 on.
        out.timeoutKnown = m.Version().realBuild >= 19041;
        out.timeoutEnabled = !m.mobile.keepOn;
        return {};
    }

    TetheringAnswer Configure(const std::string& upstream, const std::string& ssid,
                              const std::string& key, const StopSignal* stop) override {
        auto lock = core_.Lock();
        LaptopModel& m = core_.model;
        if (const auto refusal = Refusal(m, stop))
            return *refusal;
        if (Profile(upstream) == nullptr)
            return Failure(TetheringFailure::NoProfile);
        if (!m.admin && m.mobile.on)
            return Failure(TetheringFailure::Failed, kAccessDenied);
        if (ssid.empty() || ssid.size() > 32 || key.size() < 8 || key.size() > 63)
            return Failure(TetheringFailure::Failed, kInvalidArgument);
        m.mobile.ssid = ssid;
        m.mobile.key = key;
        m.mobile.calls.push_back("configure " + ssid);
        return {};
    }

    TetheringAnswer Start(const std::string& upstream, const StopSignal* stop) override {
        auto lock = core_.Lock();
        LaptopModel& m = core_.model;
        if (const auto refusal = Refusal(m, stop))
            return *refusal;
        const SimConnection* shared = Profile(upstream);
        if (shared == nullptr)
            return Failure(TetheringFailure::NoProfile);
        m.mobile.calls.push_back("start " + shared->name);
        if (!m.wireless || !m.radioOn)
            return Status(kStatusWiFiDeviceOff);
        m.SwitchMobile(true, shared->name);
        m.AdvanceTo(m.nowMs);
        return Status(kStatusSuccess);
    }

    TetheringAnswer Stop(const StopSignal* stop) override {
        auto lock = core_.Lock();
        LaptopModel& m = core_.model;
        if (const auto refusal = Refusal(m, stop))
            return *refusal;
        m.mobile.calls.push_back("stop");
        m.SwitchMobile(false);
        return Status(kStatusSuccess);
    }

    TetheringAnswer Clients(std::vector<TetheringClient>& out) override {
        auto lock = core_.Lock();
        const LaptopModel& m = core_.model;
        out.clear();
        if (const auto refusal = Refusal(m, nullptr))
            return *refusal;
        for (const SimDevice* d : m.MobileStations()) {
            TetheringClient client;
            client.macAddress = d->mac;  // lower case, colons: a format of its own
            if (!d->ip.empty())
                client.hostNames.push_back(d->ip);
            if (!d->hostName.empty())
                client.hostNames.push_back(d->hostName);
            out.push_back(client);
        }
        return {};
    }

    TetheringAnswer KeepOnWithoutClients() override {
        auto lock = core_.Lock();
        LaptopModel& m = core_.model;
        if (const auto refusal = Refusal(m, nullptr))
            return *refusal;
        m.mobile.keepOn = true;
        m.mobile.calls.push_back("keep on");
        return {};
    }

  private:
    // What a system without the Mobile Hotspot answers, or a worker whose stop was
    // asked; nothing when the call may go on.
    static std::optional<TetheringAnswer> Refusal(const LaptopModel& m, const StopSignal* stop) {
        if (!m.mobile.available)
            return Failure(TetheringFailure::Unavailable, kClassNotRegistered);
        if (stop != nullptr && stop->Requested())
            return Failure(TetheringFailure::Stopped);
        return std::nullopt;
    }

    // The connection the manager shares: the one whose adapter is `upstream`, else
    // the connection that leads to the Internet while it is up; null when neither.
    const SimConnection* Profile(const std::string& upstream) const {
        const LaptopModel& m = core_.model;
        for (const auto& c : m.connections) {
            if (!upstream.empty() && EqualsNoCase(c.guid, upstream) &&
                c.kind != ConnectionKind::Hosted && m.Present(c) && !c.disabled) {
                return &c;
            }
        }
        for (const auto& c : m.connections) {
            if (c.name == m.upstream && m.Up(c))
                return &c;
        }
        return nullptr;
    }

    LaptopCore& core_;
};

}  // namespace

std::unique_ptr<Tethering> MakeTetheringPort(LaptopCore& core) {
    return std::make_unique<SimTethering>(core);
}

}  // namespace hs::sim
