// "netsh interface ...": the IPv4 configuration listing, the offload listing (its
// "WORD N: NAME" headers give the interface indexes), static addresses, static
// neighbour entries and switching interfaces on and off, in the laptop's language.
#include <vector>

#include "platform/sim/console_text.h"
#include "platform/sim/laptop_model.h"

namespace hs::sim {
namespace {

// The sentence followed by the blank line netsh ends its messages with.
std::string Message(const char* sentence) {
    return std::string(sentence) + "\n\n";
}

std::string PrefixLine(const ConsoleWords& w, const std::string& address, int prefix) {
    uint32_t value = 0;
    ParseIpv4(address, value);
    const uint32_t mask = PrefixMask(prefix);
    return w.prefixLabel + FormatIpv4(value & mask) + "/" + std::to_string(prefix) + " (" +
           w.maskWord + " " + FormatIpv4(mask) + ")\n";
}

// The "name=value" of a token, or the whole token as value with an empty name.
void SplitTag(const std::string& token, std::string& name, std::string& value) {
    const size_t eq = token.find('=');
    if (eq == std::string::npos) {
        name.clear();
        value = token;
    } else {
        name = Lower(token.substr(0, eq));
        value = token.substr(eq + 1);
    }
}

}  // namespace

std::string LaptopModel::ShowAddresses() const {
    const ConsoleWords& w = Words();
    std::string out = "\n";
    for (const auto& c : connections) {
        if (c.disabled || !Present(c) || c.kind == ConnectionKind::WifiDirect)
            continue;
        if (c.kind == ConnectionKind::Ppp && Status(c) != 2)
            continue;
        out += w.configurationOf + c.name + w.configurationOfEnd + "\n";
        out += w.dhcpLabel + std::string(c.dhcp ? w.yes : w.no) + "\n";
        // A DHCP address exists only while the link is up; a static one always.
        if (!c.address.empty() && (!c.dhcp || Status(c) == 2)) {
            out += w.addressLabel + c.address + "\n";
            out += PrefixLine(w, c.address, c.prefix);
            if (!c.gateway.empty()) {
                out += w.gatewayLabel + c.gateway + "\n";
                out += w.gatewayMetricLabel + std::string("0\n");
            }
        }
        out += w.metricLabel + std::to_string(c.metric) + "\n\n";
    }
    out += w.configurationOf + std::string("Loopback Pseudo-Interface 1") + w.configurationOfEnd +
           "\n";
    out += w.dhcpLabel + std::string(w.no) + "\n";
    out += w.addressLabel + std::string("127.0.0.1\n");
    out += PrefixLine(w, "127.0.0.1", 8);
    out += w.metricLabel + std::string("50\n\n");
    return out;
}

std::string LaptopModel::ShowOffload() const {
    const ConsoleWords& w = Words();
    const std::string word = w.offloadInterface;
    std::string out = "\n" + word + " 1: Loopback Pseudo-Interface 1\n\n\n";
    const bool win7 = windows == "7";
    for (const auto& c : connections) {
        if (c.disabled || !Present(c))
            continue;
        if (c.kind == ConnectionKind::Ppp && Status(c) != 2)
            continue;
        out += word + " " + std::to_string(c.index) + ": " + c.name + "\n\n";
        std::vector<const char*> lines;
        switch (c.kind) {
            case ConnectionKind::Wifi:
            case ConnectionKind::Hosted:
                lines = {w.ipv4TransmitChecksum, w.udpTransmitChecksum, w.tcpTransmitChecksum};
                if (win7) {
                    lines.insert(lines.end(), {w.ipv4ReceiveChecksum, w.udpReceiveChecksum,
                                               w.tcpReceiveChecksum});
                }
                break;
            case ConnectionKind::Ethernet:
                lines = {w.ipv4TransmitChecksum, w.tcpLargeSend};
                break;
            default:
                break;
        }
        for (const char* line : lines)
            out += line + std::string("\n");
        out += "\n";
    }
    return out;
}

std::string LaptopModel::Interface(const std::vector<std::string>& args) {
    const ConsoleWords& w = Words();
    const std::string needsElevation = Message(w.elevationRequired);
    const std::string badParameter = Message(w.badParameter);
    std::vector<std::string> a;
    for (const auto& arg : args)
        a.push_back(arg);
    const std::string first = a.empty() ? std::string() : Lower(a[0]);
    const auto word = [&](size_t i) { return i < a.size() ? Lower(a[i]) : std::string(); };

    if (first == "set" && word(1) == "interface") {
        // set interface [name=]NAME [admin=]enabled|disabled
        if (!admin)
            return needsElevation;
        std::string name, state;
        for (size_t i = 2; i < a.size(); ++i) {
            std::string tag, value;
            SplitTag(a[i], tag, value);
            if (tag == "name" || (tag.empty() && name.empty())) {
                name = value;
            } else if (tag == "admin" || tag.empty()) {
                state = Lower(value);
            }
        }
        SimConnection* c = Find(name);
        if (c == nullptr || !Present(*c))
            return Message(w.notRegistered);
        if (state == "enabled" || state == "enable") {
            c->disabled = false;
        } else if (state == "disabled" || state == "disable") {
            c->disabled = true;
        } else {
            return badParameter;
        }
        return {};
    }

    if (first != "ipv4" && first != "ip") {
        std::string joined = "interface";
        for (const auto& s : a)
            joined += " " + s;
        return w.commandNotFound + joined + w.commandNotFoundEnd + "\n";
    }
    const std::string verb = word(1);
    const std::string object = word(2);

    if (verb == "show" && (object == "addresses" || object == "address"))
        return ShowAddresses();
    if (verb == "show" && object == "offload")
        return ShowOffload();

    if (verb == "set" && object == "address") {
        if (!admin)
            return needsElevation;
        // Tagged (name=... source=static addr=... mask=...) or positional, in that order.
        std::string values[4];  // name, source, address, mask
        size_t next = 0;
        for (size_t i = 3; i < a.size(); ++i) {
            std::string tag, value;
            SplitTag(a[i], tag, value);
            if (tag == "name") {
                values[0] = value;
            } else if (tag == "source") {
                values[1] = value;
            } else if (tag == "addr" || tag == "address") {
                values[2] = value;
            } else if (tag == "mask") {
                values[3] = value;
            } else if (tag.empty()) {
                while (next < 4 && !values[next].empty())
                    ++next;
                if (next < 4)
                    values[next++] = value;
            }
        }
        const std::string& name = values[0];
        const std::string source = Lower(values[1]);
        const std::string& address = values[2];
        const std::string& mask = values[3];
        SimConnection* c = Find(name);
        if (c == nullptr || !Present(*c) || c->disabled)
            return Message(w.badName);
        if (source == "dhcp") {
            c->dhcp = true;
            c->address.clear();
            return {};
        }
        uint32_t ip = 0, maskValue = 0;
        if (source != "static" || !ParseIpv4(address, ip) || !ParseIpv4(mask, maskValue) ||
            MaskPrefix(maskValue) <= 0) {
            return badParameter;
        }
        c->dhcp = false;
        c->address = address;
        c->prefix = MaskPrefix(maskValue);
        c->gateway.clear();
        return {};
    }

    if ((verb == "set" || verb == "add" || verb == "delete") &&
        (object == "neighbors" || object == "neighbor")) {
        if (!admin)
            return needsElevation;
        std::string values[3];  // interface, address, hardware address
        size_t next = 0;
        for (size_t i = 3; i < a.size(); ++i) {
            std::string tag, value;
            SplitTag(a[i], tag, value);
            if (tag == "interface") {
                values[0] = value;
            } else if (tag == "address") {
                values[1] = value;
            } else if (tag == "neighbor") {
                values[2] = value;
            } else if (tag.empty()) {
                while (next < 3 && !values[next].empty())
                    ++next;
                if (next < 3)
                    values[next++] = value;
            }
        }
        SimConnection* c = nullptr;
        bool numeric = !values[0].empty();
        for (char ch : values[0])
            numeric = numeric && ch >= '0' && ch <= '9';
        if (numeric && values[0].size() < 10) {
            c = FindIndex(static_cast<uint32_t>(std::stoul(values[0])));
        } else if (!values[0].empty()) {
            c = Find(values[0]);
            if (c != nullptr && !Present(*c))
                c = nullptr;
        }
        if (c == nullptr)
            return Message(w.elementNotFound);
        if (verb == "delete") {
            std::erase_if(neighbours, [&](const SimNeighbour& n) {
                return n.index == c->index && (values[1].empty() || n.ip == values[1]);
            });
            return Message(w.ok);
        }
        uint32_t ip = 0;
        const std::string mac = DashMac(values[2]);
        if (!ParseIpv4(values[1], ip) || mac.empty())
            return badParameter;
        std::erase_if(neighbours, [&](const SimNeighbour& n) {
            return n.index == c->index && n.ip == values[1];
        });
        neighbours.push_back({c->index, values[1], mac});
        return Message(w.ok);
    }

    std::string joined = "interface";
    for (const auto& s : a)
        joined += " " + s;
    return w.commandNotFound + joined + w.commandNotFoundEnd + "\n";
}

}  // namespace hs::sim
