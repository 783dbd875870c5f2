#include "backend/interface_lookup.h"

#include <cstdint>

#include "backend/console_words.h"
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
    // "接口 14: 本地连接* 12" in any language the table knows: the index is the number
    // right after the header's word, and the name is the whole rest of the line,
    // exactly and in its case, so "本地连接* 1" never finds the header of "本地连接* 12"
    // and "VPN: Wi-Fi" never answers for "Wi-Fi".
    std::string pattern = "^[ \\t]*";
    pattern += InterfaceHeaderWords();
    pattern += " ([0-9]+): ";
    pattern += EscapeLiteral(adapterName);
    pattern += "[ \\t]*\\r?$";
    RegexObject regex;
    regex.Create(pattern, listing, true);
    HostedInterface found;
    found.index = regex.SubMatchText(1, 2);
    found.number = InterfaceNumberOf(found.index);
    if (found.number == 0)
        found.index.clear();
    return found;
}

}  // namespace hs::backend
