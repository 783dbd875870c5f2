// "arp -a" and "arp -d": the neighbour table of every interface that is up, with
// the devices of the hosted network, static entries, broadcast and multicast, in
// the laptop's language.
#include <algorithm>
#include <cstdio>

#include "platform/sim/console_text.h"
#include "platform/sim/laptop_model.h"

namespace hs::sim {
namespace {

struct ArpEntry {
    uint32_t ip = 0;
    std::string mac;
    bool dynamic = false;
};

constexpr const char* kBroadcastMac = "ff-ff-ff-ff-ff-ff";

void AddMulticast(std::vector<ArpEntry>& entries) {
    const std::pair<const char*, const char*> groups[] = {
        {"224.0.0.22", "01-00-5e-00-00-16"},
        {"224.0.0.252", "01-00-5e-00-00-fc"},
        {"239.255.255.250", "01-00-5e-7f-ff-fa"},
        {"255.255.255.255", kBroadcastMac},
    };
    for (const auto& [ip, mac] : groups) {
        uint32_t value = 0;
        ParseIpv4(ip, value);
        entries.push_back({value, mac, false});
    }
}

}  // namespace

std::string LaptopModel::Arp(const std::vector<std::string>& args) {
    const ConsoleWords& w = Words();
    const std::string option = args.empty() ? std::string() : Lower(args[0]);
    const auto deleteFailed = [&](const char* reason) {
        return w.arpDeleteFailed + std::string(reason) + "\n\n";
    };

    if (option == "-d") {
        if (!admin)
            return deleteFailed(w.arpElevationRequired);
        const std::string target = args.size() > 1 ? args[1] : std::string();
        uint32_t ignored = 0;
        if (target != "*" && !ParseIpv4(target, ignored))
            return deleteFailed(w.badParameter);
        bool found = false;
        const size_t before = neighbours.size();
        std::erase_if(neighbours,
                      [&](const SimNeighbour& n) { return target == "*" || n.ip == target; });
        found = neighbours.size() != before;
        for (auto& d : devices) {
            if (d.ip.empty() || d.lastSeenMs < 0 || (target != "*" && d.ip != target))
                continue;
            // The entry is forgotten; a device still associated is learnt again at once.
            found = true;
            d.lastSeenMs = -1;
        }
        AdvanceTo(nowMs);
        if (!found)
            return deleteFailed(w.elementNotFound);
        return {};
    }

    if (option != "-a" && option != "-g") {
        return "\n" + std::string(w.arpUsage) + "\n\n";
    }

    std::vector<const SimConnection*> up;
    for (const auto& c : connections) {
        if (Up(c))
            up.push_back(&c);
    }
    std::sort(up.begin(), up.end(),
              [](const SimConnection* a, const SimConnection* b) { return a->index < b->index; });
    std::string out;
    for (const SimConnection* c : up) {
        std::vector<ArpEntry> entries;
        uint32_t own = 0;
        ParseIpv4(c->address, own);
        const uint32_t mask = PrefixMask(c->prefix);
        entries.push_back({(own & mask) | ~mask, kBroadcastMac, false});
        AddMulticast(entries);
        if (!c->gateway.empty() && !c->gatewayMac.empty()) {
            uint32_t gw = 0;
            if (ParseIpv4(c->gateway, gw))
                entries.push_back({gw, c->gatewayMac, true});
        }
        if (c->kind == ConnectionKind::Hosted) {
            for (const auto& d : devices) {
                if (d.ip.empty() || d.lastSeenMs < 0)
                    continue;
                if (!Associated(d, nowMs) && nowMs - d.lastSeenMs >= kArpLingerMs)
                    continue;
                uint32_t ip = 0;
                if (ParseIpv4(d.ip, ip))
                    entries.push_back({ip, DashMac(d.mac), true});
            }
        }
        // A static entry takes the place of whatever was learnt for its address.
        for (const auto& n : neighbours) {
            if (n.index != c->index)
                continue;
            uint32_t ip = 0;
            if (!ParseIpv4(n.ip, ip))
                continue;
            std::erase_if(entries, [&](const ArpEntry& e) { return e.ip == ip; });
            entries.push_back({ip, n.mac, false});
        }
        std::sort(entries.begin(), entries.end(),
                  [](const ArpEntry& a, const ArpEntry& b) { return a.ip < b.ip; });
        char index[16];
        std::snprintf(index, sizeof index, "0x%x", c->index);
        out += "\n" + std::string(w.arpInterface) + ": " + c->address + " --- " + index + "\n";
        out += w.arpColumns + std::string("\n");
        for (const auto& e : entries) {
            out += "  " + PadDisplay(FormatIpv4(e.ip), 22) + PadDisplay(e.mac, 22) +
                   (e.dynamic ? w.dynamicType : w.staticType) + "\n";
        }
    }
    if (out.empty())
        return w.noArpEntries + std::string("\n");
    return out;
}

}  // namespace hs::sim
