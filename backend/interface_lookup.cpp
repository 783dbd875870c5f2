#include "backend/interface_lookup.h"

#include <cstdint>
#include <string_view>

#include "backend/console_words.h"
#include "sys/command.h"

namespace hs::backend {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The index of a header line "接口 <digits>: <name>" (or "介面", "Interface") whose
// name is `adapterName`,
// exactly and in its letter case (blanks after it are allowed, as netsh may pad the
// line); empty when the line is no such header.
std::string_view IndexOfHeader(std::string_view line, std::string_view adapterName) {
    while (!line.empty() && IsBlank(line.front()))
        line.remove_prefix(1);
    const size_t word = InterfaceHeaderWord(line);
    if (word == 0)
        return {};
    line.remove_prefix(word);
    size_t digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9')
        ++digits;
    // The index ends at the first ": ", so a name that holds ": " itself ("VPN: Wi-Fi")
    // is the whole rest and never stands for the part after its own colon.
    if (digits == 0 || line.substr(digits, 2) != ": ")
        return {};
    std::string_view name = line.substr(digits + 2);
    if (!name.starts_with(adapterName))
        return {};
    for (char c : name.substr(adapterName.size())) {
        if (!IsBlank(c))
            return {};
    }
    return line.substr(0, digits);
}

}  // namespace

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

HostedInterface InterfaceFromOffloadListing(std::string_view listing,
                                            const std::string& adapterName) {
    HostedInterface found;
    if (adapterName.empty())
        return found;
    size_t begin = 0;
    while (begin < listing.size()) {
        size_t end = listing.find('\n', begin);
        if (end == std::string_view::npos)
            end = listing.size();
        std::string_view line = listing.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::string_view index = IndexOfHeader(line, adapterName);
        if (!index.empty()) {
            found.index = std::string(index);
            break;
        }
        begin = end + 1;
    }
    found.number = InterfaceNumberOf(found.index);
    if (found.number == 0)
        found.index.clear();
    return found;
}

HostedInterface LookupInterfaceNumber(Host& host, const std::string& adapterName) {
    return InterfaceFromOffloadListing(RunCommand(host, "netsh interface ipv4 show offload"),
                                       adapterName);
}

}  // namespace hs::backend
