// "netsh interface ...": the IPv4 configuration listing, the offload listing (its
// "接口 N: NAME" headers give the interface indexes), static addresses, static
// neighbour entries and switching interfaces on and off.
#include "platform/sim/console_text.h"
#include "platform/sim/laptop_model.h"

namespace hs::sim {
namespace {

constexpr const char* kNeedsElevation = "请求的操作需要提升(作为管理员运行)。\n\n";
constexpr const char* kBadName = "文件名、目录名或卷标语法不正确。\n\n";
constexpr const char* kNotFound = "找不到元素。\n\n";
constexpr const char* kBadParameter = "参数错误。\n\n";

// The labels of the address listing with the padding netsh prints after them.
constexpr const char* kDhcp = "    DHCP 已启用:                          ";
constexpr const char* kIp = "    IP 地址:                           ";
constexpr const char* kPrefix = "    子网前缀:                        ";
constexpr const char* kGateway = "    默认网关:                         ";
constexpr const char* kGatewayMetric = "    网关跃点数:                       ";
constexpr const char* kMetric = "    InterfaceMetric:                      ";

std::string PrefixLine(const std::string& address, int prefix) {
    uint32_t value = 0;
    ParseIpv4(address, value);
    const uint32_t mask = PrefixMask(prefix);
    return std::string(kPrefix) + FormatIpv4(value & mask) + "/" + std::to_string(prefix) +
           " (掩码 " + FormatIpv4(mask) + ")\n";
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
    std::string out = "\n";
    for (const auto& c : connections) {
        if (c.disabled || !Present(c) || c.kind == ConnectionKind::WifiDirect)
            continue;
        if (c.kind == ConnectionKind::Ppp && Status(c) != 2)
            continue;
        out += "接口 \"" + c.name + "\" 的配置\n";
        out += std::string(kDhcp) + (c.dhcp ? "是" : "否") + "\n";
        // A DHCP address exists only while the link is up; a static one always.
        if (!c.address.empty() && (!c.dhcp || Status(c) == 2)) {
            out += kIp + c.address + "\n";
            out += PrefixLine(c.address, c.prefix);
            if (!c.gateway.empty()) {
                out += kGateway + c.gateway + "\n";
                out += std::string(kGatewayMetric) + "0\n";
            }
        }
        out += kMetric + std::to_string(c.metric) + "\n\n";
    }
    out += "接口 \"Loopback Pseudo-Interface 1\" 的配置\n";
    out += std::string(kDhcp) + "否\n";
    out += std::string(kIp) + "127.0.0.1\n";
    out += PrefixLine("127.0.0.1", 8);
    out += std::string(kMetric) + "50\n\n";
    return out;
}

std::string LaptopModel::ShowOffload() const {
    std::string out = "\n接口 1: Loopback Pseudo-Interface 1\n\n\n";
    const bool win7 = windows == "7";
    for (const auto& c : connections) {
        if (c.disabled || !Present(c))
            continue;
        if (c.kind == ConnectionKind::Ppp && Status(c) != 2)
            continue;
        out += "接口 " + std::to_string(c.index) + ": " + c.name + "\n\n";
        switch (c.kind) {
            case ConnectionKind::Wifi:
            case ConnectionKind::Hosted:
                out +=
                    " ipv4 传输校验和受支持。\n udp 传输校验和受支持。\n tcp 传输校验和受支持。\n";
                if (win7) {
                    out +=
                        " ipv4 接收校验和受支持。\n udp 接收校验和受支持。\n tcp "
                        "接收校验和受支持。\n";
                }
                break;
            case ConnectionKind::Ethernet:
                out += " ipv4 传输校验和受支持。\n tcp 大量发送卸载受支持。\n";
                break;
            default:
                break;
        }
        out += "\n";
    }
    return out;
}

std::string LaptopModel::Interface(const std::vector<std::string>& args) {
    std::vector<std::string> a;
    for (const auto& arg : args)
        a.push_back(arg);
    const std::string first = a.empty() ? std::string() : Lower(a[0]);
    const auto word = [&](size_t i) { return i < a.size() ? Lower(a[i]) : std::string(); };

    if (first == "set" && word(1) == "interface") {
        // set interface [name=]NAME [admin=]enabled|disabled
        if (!admin)
            return kNeedsElevation;
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
            return "此名称的接口未在路由器上注册。\n\n";
        if (state == "enabled" || state == "enable") {
            c->disabled = false;
        } else if (state == "disabled" || state == "disable") {
            c->disabled = true;
        } else {
            return kBadParameter;
        }
        return {};
    }

    if (first != "ipv4" && first != "ip") {
        std::string joined = "interface";
        for (const auto& s : a)
            joined += " " + s;
        return "找不到下列命令: " + joined + "。\n";
    }
    const std::string verb = word(1);
    const std::string object = word(2);

    if (verb == "show" && (object == "addresses" || object == "address"))
        return ShowAddresses();
    if (verb == "show" && object == "offload")
        return ShowOffload();

    if (verb == "set" && object == "address") {
        if (!admin)
            return kNeedsElevation;
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
            return kBadName;
        if (source == "dhcp") {
            c->dhcp = true;
            c->address.clear();
            return {};
        }
        uint32_t ip = 0, maskValue = 0;
        if (source != "static" || !ParseIpv4(address, ip) || !ParseIpv4(mask, maskValue) ||
            MaskPrefix(maskValue) <= 0) {
            return kBadParameter;
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
            return kNeedsElevation;
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
            return kNotFound;
        if (verb == "delete") {
            std::erase_if(neighbours, [&](const SimNeighbour& n) {
                return n.index == c->index && (values[1].empty() || n.ip == values[1]);
            });
            return "确定。\n\n";
        }
        uint32_t ip = 0;
        const std::string mac = DashMac(values[2]);
        if (!ParseIpv4(values[1], ip) || mac.empty())
            return kBadParameter;
        std::erase_if(neighbours, [&](const SimNeighbour& n) {
            return n.index == c->index && n.ip == values[1];
        });
        neighbours.push_back({c->index, values[1], mac});
        return "确定。\n\n";
    }

    std::string joined = "interface";
    for (const auto& s : a)
        joined += " " + s;
    return "找不到下列命令: " + joined + "。\n";
}

}  // namespace hs::sim
