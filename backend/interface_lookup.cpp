#include "backend/interface_lookup.h"

#include <cstdint>

#include "sys/command.h"
#include "sys/regex.h"
#include "sys/text.h"

namespace hs::backend {

int InterfaceNumberOf(const std::string& index) {
    size_t at = 0;
    while (at < index.size() && (index[at] == ' ' || index[at] == '\t'))
        ++at;
    int64_t value = 0;
    bool any = false;
    for (; at < index.size() && index[at] >= '0' && index[at] <= '9'; ++at) {
        value = value * 10 + (index[at] - '0');
        any = true;
        // An interface index is a 32-bit number well below this; more is no index.
        if (value > 2147483647)
            return 0;
    }
    return any ? static_cast<int>(value) : 0;
}

HostedInterface LookupInterfaceNumber(Host& host, const std::string& adapterName) {
    const std::string listing = RunCommand(host, "netsh interface ipv4 show offload");
    std::string pattern = "接口 .*: ";
    pattern += EscapeLiteral(adapterName);
    // The name ends the header line: "本地连接* 1" must not find "本地连接* 12".
    pattern += "[ \\t]*$";
    RegexObject regex;
    regex.Create(pattern, listing);
    HostedInterface found;
    std::string index = TextBetween(regex.MatchText(1), "接口 ", ":");
    if (!index.empty())
        found.index = index;
    found.number = InterfaceNumberOf(found.index);
    return found;
}

}  // namespace hs::backend
