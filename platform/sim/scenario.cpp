#include "platform/sim/scenario.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "platform/sim/console_text.h"

namespace hs::sim {
namespace {

// One word of a statement, with its "key=value" split.
struct Option {
    std::string key;
    std::string value;
};

struct Statement {
    int line = 0;
    std::string verb;
    std::vector<std::string> words;  // after the verb
    std::string rest;                // the raw text after the verb
};

class Failure {
  public:
    explicit Failure(std::string& error) : error_(error) {}
    bool operator()(int line, const std::string& message) {
        error_ = "line " + std::to_string(line) + ": " + message;
        return false;
    }

  private:
    std::string& error_;
};

bool ParseYesNo(const std::string& value, const char* yes, const char* no, bool& out) {
    if (EqualsNoCase(value, yes)) {
        out = true;
        return true;
    }
    if (EqualsNoCase(value, no)) {
        out = false;
        return true;
    }
    return false;
}

bool ParseNumber(const std::string& text, uint64_t& out) {
    if (text.empty())
        return false;
    uint64_t multiplier = 1;
    std::string digits = text;
    const char last = static_cast<char>(Lower(text.substr(text.size() - 1))[0]);
    if (last == 'k')
        multiplier = 1024;
    if (last == 'm')
        multiplier = 1048576;
    if (multiplier != 1)
        digits.pop_back();
    if (digits.empty() || digits.size() > 19)
        return false;
    uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    out = value * multiplier;
    return true;
}

// Seconds, decimals allowed, to milliseconds.
bool ParseSeconds(const std::string& text, int64_t& ms) {
    if (text.empty())
        return false;
    int64_t whole = 0, fraction = 0, scale = 1000;
    size_t i = 0;
    for (; i < text.size() && text[i] != '.'; ++i) {
        if (text[i] < '0' || text[i] > '9' || whole > 1000000000)
            return false;
        whole = whole * 10 + (text[i] - '0');
    }
    if (i < text.size()) {
        ++i;
        if (i == text.size())
            return false;
        for (; i < text.size(); ++i) {
            if (text[i] < '0' || text[i] > '9')
                return false;
            if (scale > 1) {
                scale /= 10;
                fraction += (text[i] - '0') * scale;
            }
        }
    }
    ms = whole * 1000 + fraction;
    return true;
}

std::string MakeGuid(const std::string& seed) {
    uint64_t hash = 1469598103934665603ull;
    for (char c : seed)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    const uint64_t second = hash * 6364136223846793005ull + 1442695040888963407ull;
    char text[48];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%012llX}",
                  static_cast<unsigned>(hash >> 32), static_cast<unsigned>((hash >> 16) & 0xFFFF),
                  static_cast<unsigned>(hash & 0xFFFF), static_cast<unsigned>(second >> 48),
                  static_cast<unsigned long long>(second & 0xFFFFFFFFFFFFull));
    return text;
}

SimConnection Standard(const std::string& name, ConnectionKind kind, uint32_t index, int status,
                       const std::string& description) {
    SimConnection c;
    c.name = name;
    c.kind = kind;
    c.index = index;
    c.linkStatus = status;
    c.description = description;
    c.metric = kind == ConnectionKind::Ethernet ? 10 : 25;
    return c;
}

std::vector<SimConnection> StandardConnections(const LaptopModel& model) {
    std::vector<SimConnection> list;
    const bool win7 = model.windows == "7";
    SimConnection wifi = Standard(win7 ? "无线网络连接" : "Wi-Fi", ConnectionKind::Wifi,
                                  win7 ? 11 : 3, 2, model.wirelessDriver);
    wifi.address = "192.168.1.105";
    wifi.gateway = "192.168.1.1";
    wifi.gatewayMac = "c8-3a-35-84-78-1e";
    if (model.wireless)
        list.push_back(wifi);
    list.push_back(Standard(win7 ? "本地连接" : "以太网", ConnectionKind::Ethernet, win7 ? 10 : 5,
                            7, "Realtek PCIe FE Family Controller"));
    list.push_back(
        Standard("宽带连接", ConnectionKind::Ppp, win7 ? 30 : 20, 0, "WAN Miniport (PPPOE)"));
    if (!win7 && model.wireless) {
        list.push_back(Standard("本地连接* 2", ConnectionKind::WifiDirect, 4, 7,
                                "Microsoft Wi-Fi Direct Virtual Adapter"));
    }
    return list;
}

bool ApplyConnectionOption(SimConnection& c, const Option& o, std::string& problem) {
    uint64_t number = 0;
    bool flag = false;
    if (o.key == "kind") {
        const std::string v = Lower(o.value);
        if (v == "wifi") {
            c.kind = ConnectionKind::Wifi;
        } else if (v == "ethernet") {
            c.kind = ConnectionKind::Ethernet;
        } else if (v == "ppp") {
            c.kind = ConnectionKind::Ppp;
        } else if (v == "wifidirect") {
            c.kind = ConnectionKind::WifiDirect;
        } else {
            problem = "unknown kind '" + o.value + "' (wifi, ethernet, ppp or wifidirect)";
            return false;
        }
    } else if (o.key == "status") {
        if (o.value != "0" && o.value != "2" && o.value != "7") {
            problem = "status must be 0, 2 or 7";
            return false;
        }
        c.linkStatus = o.value[0] - '0';
    } else if (o.key == "disabled") {
        if (!ParseYesNo(o.value, "yes", "no", c.disabled)) {
            problem = "disabled must be yes or no";
            return false;
        }
    } else if (o.key == "index") {
        if (!ParseNumber(o.value, number) || number == 0 || number > 0xFFFFFF) {
            problem = "index must be a positive number";
            return false;
        }
        c.index = static_cast<uint32_t>(number);
    } else if (o.key == "dhcp") {
        if (!ParseYesNo(o.value, "yes", "no", flag)) {
            problem = "dhcp must be yes or no";
            return false;
        }
        c.dhcp = flag;
    } else if (o.key == "address") {
        const size_t slash = o.value.find('/');
        uint32_t ip = 0;
        uint64_t prefix = 24;
        if (!ParseIpv4(o.value.substr(0, slash), ip) ||
            (slash != std::string::npos &&
             (!ParseNumber(o.value.substr(slash + 1), prefix) || prefix < 1 || prefix > 32))) {
            problem = "address must look like 192.168.1.105/24";
            return false;
        }
        c.address = o.value.substr(0, slash);
        c.prefix = static_cast<int>(prefix);
    } else if (o.key == "gateway") {
        uint32_t ip = 0;
        if (!ParseIpv4(o.value, ip)) {
            problem = "gateway must be an IPv4 address";
            return false;
        }
        c.gateway = o.value;
    } else if (o.key == "gateway_mac") {
        c.gatewayMac = DashMac(o.value);
        if (c.gatewayMac.empty()) {
            problem = "gateway_mac must be a hardware address like c8-3a-35-84-78-1e";
            return false;
        }
    } else if (o.key == "metric") {
        if (!ParseNumber(o.value, number) || number > 9999) {
            problem = "metric must be a number";
            return false;
        }
        c.metric = static_cast<int>(number);
    } else if (o.key == "in" || o.key == "out") {
        if (!ParseNumber(o.value, number)) {
            problem = o.key + " must be a byte count";
            return false;
        }
        (o.key == "in" ? c.inBase : c.outBase) = number;
    } else if (o.key == "description") {
        c.description = o.value;
    } else {
        problem = "unknown option '" + o.key + "'";
        return false;
    }
    return true;
}

bool ApplyDeviceOption(SimDevice& d, const Option& o, std::string& problem) {
    uint64_t number = 0;
    if (o.key == "name") {
        d.hostName = o.value;
    } else if (o.key == "join" || o.key == "leave") {
        int64_t ms = 0;
        if (o.key == "leave" && EqualsNoCase(o.value, "never")) {
            d.leaveMs = -1;
        } else if (!ParseSeconds(o.value, ms)) {
            problem = o.key + " must be a time in seconds";
            return false;
        } else {
            (o.key == "join" ? d.joinMs : d.leaveMs) = ms;
        }
    } else if (o.key == "down" || o.key == "up") {
        if (!ParseNumber(o.value, number)) {
            problem = o.key + " must be a rate in bytes per second";
            return false;
        }
        (o.key == "down" ? d.downRate : d.upRate) = number;
    } else if (o.key == "ping") {
        if (!ParseYesNo(o.value, "yes", "no", d.answersPing)) {
            problem = "ping must be yes or no";
            return false;
        }
    } else if (o.key == "ip") {
        uint32_t ip = 0;
        if (!ParseIpv4(o.value, ip) || (ip >> 8) != 0xC0A889 || (ip & 0xFF) < 2 ||
            (ip & 0xFF) > 254) {
            problem = "ip must be an address in 192.168.137.2 to 192.168.137.254";
            return false;
        }
        d.ip = o.value;
    } else {
        problem = "unknown option '" + o.key + "'";
        return false;
    }
    return true;
}

std::vector<Option> Options(const std::vector<std::string>& words, size_t from) {
    std::vector<Option> options;
    for (size_t i = from; i < words.size(); ++i) {
        const size_t eq = words[i].find('=');
        if (eq == std::string::npos) {
            options.push_back({Lower(words[i]), {}});
        } else {
            options.push_back({Lower(words[i].substr(0, eq)), words[i].substr(eq + 1)});
        }
    }
    return options;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string TrimSpaces(const std::string& text) {
    size_t from = 0;
    size_t to = text.size();
    while (from < to && (text[from] == ' ' || text[from] == '\t'))
        ++from;
    while (to > from && (text[to - 1] == ' ' || text[to - 1] == '\t'))
        --to;
    return text.substr(from, to - from);
}

// A command line as a statement writes it: the text as it stands, or without its
// quotes when it is one double-quoted word.
std::string CommandText(const std::string& raw) {
    std::string text = TrimSpaces(raw);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"' &&
        text.find('"', 1) == text.size() - 1) {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

// Splits "COMMAND... WORD" at the start of its last word (which may be quoted);
// false when there are not two parts.
bool SplitLastWord(const std::string& raw, std::string& before, std::string& last) {
    const std::string text = TrimSpaces(raw);
    if (text.empty())
        return false;
    size_t start = 0;
    if (text.back() == '"') {
        const size_t open = text.size() >= 2 ? text.rfind('"', text.size() - 2) : std::string::npos;
        if (open == std::string::npos)
            return false;
        start = open;
        last = text.substr(open + 1, text.size() - open - 2);
    } else {
        const size_t space = text.find_last_of(" \t");
        start = space == std::string::npos ? 0 : space + 1;
        last = text.substr(start);
    }
    before = text.substr(0, start);
    return !last.empty() && !TrimSpaces(before).empty();
}

// "COMMAND... SECONDS [from=T]" of a slow statement.
bool ParseSlow(const std::string& rest, SimSlowCommand& slow, std::string& problem) {
    const char* const shape = "slow needs a command line and a time in seconds";
    std::string text = rest, before, last;
    if (!SplitLastWord(text, before, last)) {
        problem = shape;
        return false;
    }
    const size_t eq = last.find('=');
    if (eq != std::string::npos) {
        const std::string key = Lower(last.substr(0, eq));
        if (key != "from") {
            problem = "unknown option '" + key + "' for slow";
            return false;
        }
        if (!ParseSeconds(last.substr(eq + 1), slow.fromMs)) {
            problem = "from must be a time in seconds";
            return false;
        }
        text = before;
        if (!SplitLastWord(text, before, last)) {
            problem = shape;
            return false;
        }
    }
    if (!ParseSeconds(last, slow.delayMs)) {
        problem = "slow needs a time in seconds, not '" + last + "'";
        return false;
    }
    slow.prefix = CommandText(before);
    if (slow.prefix.empty()) {
        problem = shape;
        return false;
    }
    return true;
}

std::filesystem::path Utf8Path(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace

ScenarioFileReader ReaderBeside(const std::string& scenarioPath) {
    const std::filesystem::path folder = Utf8Path(scenarioPath).parent_path();
    return [folder](const std::string& path, std::string& bytes) {
        std::ifstream in(folder / Utf8Path(path), std::ios::binary);
        if (!in)
            return false;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return !in.bad();
    };
}

bool ParseScenario(const std::string& text, LaptopModel& model, std::string& error,
                   const ScenarioFileReader& files) {
    Failure fail(error);
    std::vector<Statement> statements;
    size_t start = 0;
    int lineNumber = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // A "#" outside quotes starts a comment.
        bool quoted = false;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '"')
                quoted = !quoted;
            if (line[i] == '#' && !quoted) {
                line.resize(i);
                break;
            }
        }
        std::vector<std::string> words = SplitCommandLine(line);
        if (words.empty())
            continue;
        Statement s;
        s.line = lineNumber;
        s.verb = Lower(words[0]);
        s.words.assign(words.begin() + 1, words.end());
        const size_t verbEnd = line.find(words[0]) + words[0].size();
        s.rest = line.substr(verbEnd);
        while (!s.rest.empty() && (s.rest.front() == ' ' || s.rest.front() == '\t'))
            s.rest.erase(0, 1);
        statements.push_back(std::move(s));
        if (end == text.size())
            break;
    }

    // The system first: the standard connections and the hosted adapter depend on it.
    for (const auto& s : statements) {
        if (s.verb != "windows")
            continue;
        if (s.words.size() != 1 || (s.words[0] != "7" && s.words[0] != "8" && s.words[0] != "8.1" &&
                                    s.words[0] != "10" && s.words[0] != "11")) {
            return fail(s.line, "windows must be 7, 8, 8.1, 10 or 11");
        }
        model.windows = s.words[0];
    }
    // Windows 10 and 11 have the Mobile Hotspot unless the scenario says otherwise.
    model.mobile.available = model.windows == "10" || model.windows == "11";
    for (const auto& s : statements) {
        if (s.verb != "wireless")
            continue;
        if (s.words.size() != 1 || !ParseYesNo(s.words[0], "yes", "no", model.wireless)) {
            return fail(s.line, "wireless must be yes or no");
        }
    }
    for (const auto& s : statements) {
        if (s.verb == "driver")
            model.wirelessDriver = s.rest;
    }

    const bool win7 = model.windows == "7";
    SimConnection hosted;
    hosted.kind = ConnectionKind::Hosted;
    hosted.name = win7 ? "无线网络连接 2" : "本地连接* 12";
    hosted.description =
        win7 ? "Microsoft Virtual WiFi Miniport Adapter" : "Microsoft 托管网络虚拟适配器";
    hosted.index = win7 ? 26 : 14;
    hosted.linkStatus = 7;
    std::vector<SimConnection> listed;
    bool upstreamGiven = false;

    for (const auto& s : statements) {
        const std::string one = s.words.size() == 1 ? s.words[0] : std::string();
        const auto needOne = [&](const char* what) {
            return s.words.size() == 1 ? true
                                       : fail(s.line, std::string(s.verb) + " needs " + what);
        };
        std::string problem;
        if (s.verb == "windows" || s.verb == "wireless" || s.verb == "driver") {
            continue;
        } else if (s.verb == "admin") {
            if (!needOne("yes or no"))
                return false;
            if (!ParseYesNo(one, "yes", "no", model.admin))
                return fail(s.line, "admin must be yes or no");
        } else if (s.verb == "radio") {
            if (!needOne("on or off"))
                return false;
            if (!ParseYesNo(one, "on", "off", model.radioOn))
                return fail(s.line, "radio must be on or off");
        } else if (s.verb == "hosted_network") {
            if (!needOne("supported or unsupported"))
                return false;
            if (!ParseYesNo(one, "supported", "unsupported", model.hostedSupported)) {
                return fail(s.line, "hosted_network must be supported or unsupported");
            }
        } else if (s.verb == "language") {
            if (!needOne("zh-CN, zh-TW or en-US"))
                return false;
            if (EqualsNoCase(one, "zh-CN")) {
                model.language = ConsoleLanguage::SimplifiedChinese;
            } else if (EqualsNoCase(one, "zh-TW")) {
                model.language = ConsoleLanguage::TraditionalChinese;
            } else if (EqualsNoCase(one, "en-US")) {
                model.language = ConsoleLanguage::English;
            } else {
                return fail(s.line, "language must be zh-CN, zh-TW or en-US");
            }
        } else if (s.verb == "mobile_hotspot") {
            if (one == "available" || one == "unavailable") {
                model.mobile.available = one == "available";
            } else if (s.words.size() == 2 && s.words[0] == "off-after") {
                int64_t ms = 0;
                if (!ParseSeconds(s.words[1], ms))
                    return fail(s.line, "off-after needs seconds");
                model.mobile.offAfterMs = ms;
            } else {
                return fail(s.line,
                            "mobile_hotspot must be available, unavailable or off-after SECONDS");
            }
        } else if (s.verb == "ansi_codepage") {
            if (one != "936" && one != "1252")
                return fail(s.line, "ansi_codepage must be 936 or 1252");
            model.ansiCodePage = one == "936" ? 936 : 1252;
        } else if (s.verb == "max_clients") {
            uint64_t count = 0;
            if (!needOne("a number") || !ParseNumber(one, count) || count == 0 || count > 100)
                return fail(s.line, "max_clients must be a number from 1 to 100");
            model.mobile.maxClients = static_cast<uint32_t>(count);
        } else if (s.verb == "wlan_api") {
            if (!needOne("yes or no"))
                return false;
            if (!ParseYesNo(one, "yes", "no", model.wlanApi))
                return fail(s.line, "wlan_api must be yes or no");
        } else if (s.verb == "sharing") {
            if (!needOne("available or unavailable"))
                return false;
            if (!ParseYesNo(one, "available", "unavailable", model.sharingAvailable)) {
                return fail(s.line, "sharing must be available or unavailable");
            }
        } else if (s.verb == "sharing_error") {
            if (!needOne("a result code such as 0x80040201"))
                return false;
            char* end = nullptr;
            const unsigned long code = std::strtoul(one.c_str(), &end, 16);
            if (one.rfind("0x", 0) != 0 || end == nullptr || *end != '\0' || code == 0 ||
                code > 0xFFFFFFFFul) {
                return fail(s.line, "sharing_error must be a result code such as 0x80040201");
            }
            model.sharingErrorCode = static_cast<uint32_t>(code);
        } else if (s.verb == "random") {
            if (!needOne("a seed or unavailable"))
                return false;
            uint64_t seed = 0;
            if (one == "unavailable") {
                model.randomAvailable = false;
            } else if (ParseNumber(one, seed) &&
                       one.find_first_not_of("0123456789") == std::string::npos) {
                model.randomState = seed;
            } else {
                return fail(s.line, "random must be a whole number or unavailable");
            }
        } else if (s.verb == "existing_window") {
            if (!needOne("yes or no"))
                return false;
            if (!ParseYesNo(one, "yes", "no", model.existingWindow)) {
                return fail(s.line, "existing_window must be yes or no");
            }
        } else if (s.verb == "upstream") {
            if (!needOne("a connection name"))
                return false;
            model.upstream = one;
            upstreamGiven = true;
        } else if (s.verb == "bssid") {
            if (!needOne("a hardware address"))
                return false;
            model.hosted.bssid = ColonMac(one);
            if (model.hosted.bssid.empty())
                return fail(s.line, "bssid must be a hardware address");
        } else if (s.verb == "connection") {
            if (s.words.empty() || s.words[0].find('=') != std::string::npos) {
                return fail(s.line, "connection needs a name first");
            }
            SimConnection c = Standard(s.words[0], ConnectionKind::Ethernet, 0, 2, "");
            c.metric = -1;  // by kind, unless given
            for (const auto& o : Options(s.words, 1)) {
                if (!ApplyConnectionOption(c, o, problem))
                    return fail(s.line, problem);
            }
            if (c.metric < 0)
                c.metric = c.kind == ConnectionKind::Ethernet ? 10 : 25;
            if (c.description.empty()) {
                c.description = c.kind == ConnectionKind::Wifi ? model.wirelessDriver
                                : c.kind == ConnectionKind::Ppp
                                    ? "WAN Miniport (PPPOE)"
                                    : "Realtek PCIe FE Family Controller";
            }
            listed.push_back(c);
        } else if (s.verb == "hosted") {
            size_t from = 0;
            if (!s.words.empty() && s.words[0].find('=') == std::string::npos) {
                hosted.name = s.words[0];
                from = 1;
            }
            for (const auto& o : Options(s.words, from)) {
                if (o.key != "index" && o.key != "description" && o.key != "dhcp" &&
                    o.key != "in" && o.key != "out" && o.key != "address") {
                    return fail(s.line, "unknown option '" + o.key + "' for hosted");
                }
                if (!ApplyConnectionOption(hosted, o, problem))
                    return fail(s.line, problem);
            }
        } else if (s.verb == "device") {
            SimDevice d;
            d.mac = s.words.empty() ? std::string() : ColonMac(s.words[0]);
            if (d.mac.empty())
                return fail(s.line, "device needs a hardware address first");
            for (const auto& o : Options(s.words, 1)) {
                if (!ApplyDeviceOption(d, o, problem))
                    return fail(s.line, problem);
            }
            if (d.leaveMs >= 0 && d.leaveMs <= d.joinMs) {
                return fail(s.line, "a device must leave after it joins");
            }
            for (const auto& other : model.devices) {
                if (other.mac == d.mac)
                    return fail(s.line, "device " + d.mac + " is listed twice");
                if (!d.ip.empty() && other.ip == d.ip)
                    return fail(s.line, "address " + d.ip + " is taken");
            }
            model.devices.push_back(d);
        } else if (s.verb == "service") {
            if (s.words.empty() || s.words[0].find('=') != std::string::npos) {
                return fail(s.line, "service needs a name first");
            }
            SimService service;
            service.status = {3, 1};
            for (const auto& o : Options(s.words, 1)) {
                if (o.key == "start" && (o.value == "2" || o.value == "3" || o.value == "4")) {
                    service.status.startType = o.value[0] - '0';
                } else if (o.key == "state" && (o.value == "1" || o.value == "4")) {
                    service.status.currentState = o.value[0] - '0';
                } else if (o.key == "fails" &&
                           ParseYesNo(o.value, "yes", "no", service.startFails)) {
                } else {
                    return fail(s.line, "service options are start=2|3|4, state=1|4, fails=yes|no");
                }
            }
            model.services[s.words[0]] = service;
        } else if (s.verb == "page") {
            if (s.words.empty())
                return fail(s.line, "page needs a path or address");
            std::string body =
                s.rest.substr(std::min(s.rest.size(), s.rest.find(s.words[0]) + s.words[0].size()));
            while (!body.empty() && body.front() == ' ')
                body.erase(0, 1);
            model.pages[s.words[0]] = Unescape(body);
        } else if (s.verb == "name") {
            uint32_t ip = 0;
            if (s.words.size() != 2 || !ParseIpv4(s.words[0], ip))
                return fail(s.line, "name needs an address and a host name");
            model.names[s.words[0]] = s.words[1];
        } else if (s.verb == "unstartable") {
            const std::string command = CommandText(s.rest);
            if (command.empty())
                return fail(s.line, "unstartable needs the start of a command line");
            model.unstartable.push_back(command);
        } else if (s.verb == "slow") {
            SimSlowCommand slow;
            if (!ParseSlow(s.rest, slow, problem))
                return fail(s.line, problem);
            model.slow.push_back(slow);
        } else if (s.verb == "reply") {
            std::string command, path, bytes;
            if (!SplitLastWord(s.rest, command, path))
                return fail(s.line, "reply needs a command line and a file");
            command = CommandText(command);
            if (!files)
                return fail(s.line, "reply needs a scenario read from a file");
            if (!files(path, bytes))
                return fail(s.line, "cannot read the reply file '" + path + "'");
            if (!model.replies.emplace(command, std::move(bytes)).second)
                return fail(s.line, "the command line '" + command + "' has a reply already");
        } else {
            return fail(s.line, "unknown statement '" + s.verb + "'");
        }
    }

    // Where the driver cannot host a network, the adapter that carries the Mobile
    // Hotspot of Windows 10 and 11 is a Wi-Fi Direct virtual adapter.
    if (model.mobile.available && !model.hostedSupported &&
        hosted.description == "Microsoft 托管网络虚拟适配器") {
        hosted.description = "Microsoft Wi-Fi Direct Virtual Adapter #2";
    }
    if (listed.empty())
        listed = StandardConnections(model);
    // The hosted adapter follows the first wireless connection, as the system lists it.
    size_t at = listed.size();
    for (size_t i = 0; i < listed.size(); ++i) {
        if (listed[i].kind == ConnectionKind::Wifi) {
            at = i + 1;
            break;
        }
    }
    listed.insert(listed.begin() + static_cast<std::ptrdiff_t>(at), hosted);
    uint32_t nextIndex = 40;
    for (auto& c : listed) {
        if (c.index == 0)
            c.index = nextIndex++;
        c.guid = MakeGuid(c.name + "/" + c.description);
    }
    for (size_t i = 0; i < listed.size(); ++i) {
        for (size_t j = 0; j < i; ++j) {
            if (EqualsNoCase(listed[i].name, listed[j].name)) {
                error = "connection '" + listed[i].name + "' is listed twice";
                return false;
            }
            if (listed[i].index == listed[j].index) {
                error = "connections '" + listed[j].name + "' and '" + listed[i].name +
                        "' share index " + std::to_string(listed[i].index);
                return false;
            }
        }
    }
    model.connections = listed;

    if (!upstreamGiven) {
        for (const auto& c : model.connections) {
            if (c.kind != ConnectionKind::Hosted && c.linkStatus == 2 && !c.disabled &&
                !c.address.empty()) {
                model.upstream = c.name;
                break;
            }
        }
    }
    if (!model.services.count("SharedAccess"))
        model.services["SharedAccess"] = {{3, 1}, false};
    if (!model.services.count("MpsSvc"))
        model.services["MpsSvc"] = {{2, 4}, false};
    return true;
}

std::string DefaultScenarioText() {
    return R"(# A Chinese Windows 7 laptop on a home router, three phones joining the hotspot.
windows 7
admin yes
wireless yes
radio on
hosted_network supported
sharing available
upstream 无线网络连接
connection 无线网络连接 kind=wifi status=2 index=11 address=192.168.1.105/24 gateway=192.168.1.1 gateway_mac=c8-3a-35-84-78-1e metric=25 in=734003200 out=96468992
connection 本地连接 kind=ethernet status=7 index=10 metric=10
connection 宽带连接 kind=ppp status=0 index=30
hosted "无线网络连接 2" index=26
service SharedAccess start=3 state=1
service MpsSvc start=2 state=4
# Phones: times in seconds after the program started, rates in bytes per second.
device a4:5e:60:c1:22:33 name=android-5a1c2b3d join=12 down=180k up=24k ip=192.168.137.23
device 3c:15:c2:9a:8b:01 name=iPhone join=25 down=90k up=12k ip=192.168.137.61
device f0:db:e2:44:10:7e join=48 down=30k up=6k ping=no ip=192.168.137.140
page /rjgx/lanz/lanzgx.html 【版本开始】1.0【版本结束】【地址开始】http://127.0.0.1/tulawifi.exe【地址结束】
page /rjgx/lanz/gonggao.html <html><body><p>欢迎使用！这是模拟的笔记本：三部手机会在一分钟内连上热点。</p></body></html>
page /rjgx/lanz/tongji.html ok
name 192.168.1.1 router.home
)";
}

std::string Windows11ScenarioText() {
    return R"(# A Chinese Windows 11 laptop whose wireless driver cannot host a network: the
# hotspot is the system's Mobile Hotspot. Three phones join it.
windows 11
admin yes
wireless yes
radio on
hosted_network unsupported
mobile_hotspot available
max_clients 8
driver Intel(R) Wi-Fi 6 AX201 160MHz
sharing available
upstream WLAN
connection WLAN kind=wifi status=2 index=18 address=192.168.1.105/24 gateway=192.168.1.1 gateway_mac=c8-3a-35-84-78-1e metric=25 in=734003200 out=96468992
connection 以太网 kind=ethernet status=7 index=9 metric=10
connection "本地连接* 1" kind=wifidirect status=7 index=6 description="Microsoft Wi-Fi Direct Virtual Adapter"
hosted "本地连接* 10" index=21
service SharedAccess start=3 state=1
service MpsSvc start=2 state=4
# Phones: times in seconds after the program started, rates in bytes per second.
device a4:5e:60:c1:22:33 name=android-5a1c2b3d join=12 down=180k up=24k ip=192.168.137.23
device 3c:15:c2:9a:8b:01 name=iPhone join=25 down=90k up=12k ip=192.168.137.61
device f0:db:e2:44:10:7e name=HUAWEI-P30 join=48 down=30k up=6k ip=192.168.137.140
page /rjgx/lanz/lanzgx.html 【版本开始】1.0【版本结束】【地址开始】http://127.0.0.1/tulawifi.exe【地址结束】
page /rjgx/lanz/gonggao.html <html><body><p>欢迎使用！这是模拟的 Windows 11 笔记本：三部手机会在一分钟内连上移动热点。</p></body></html>
page /rjgx/lanz/tongji.html ok
name 192.168.1.1 router.home
)";
}

std::string BuiltInScenarioText(const std::string& name) {
    if (name == "windows7")
        return DefaultScenarioText();
    if (name == "windows11")
        return Windows11ScenarioText();
    return {};
}

}  // namespace hs::sim
