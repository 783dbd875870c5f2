// The offload lookup on arbitrary listings: the index it gives belongs to a header
// line "接口 <digits>: <name>" whose name is the asked name exactly, in its case, or
// there is none (empty, number 0) and no line has that name; the number is the index's.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "backend/interface_lookup.h"
#include "tests/fuzz/fuzz_driver.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t begin = 0;
    while (begin <= text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        begin = end + 1;
    }
    return lines;
}

std::string_view Strip(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The index of the line when it is the header of `name`, read from the line's end:
// what stands between the header's word ("接口 ", "介面 " or "Interface ") and
// ": " + name must be digits. Empty when it is not.
std::string_view HeaderIndex(std::string_view line, std::string_view name) {
    const std::string_view text = Strip(line);
    std::string_view head;
    for (std::string_view word : {"接口 ", "介面 ", "Interface "}) {
        if (text.starts_with(word))
            head = word;
    }
    const std::string tail = ": " + std::string(name);
    if (head.empty() || text.size() < head.size() + tail.size() + 1 || !text.ends_with(tail))
        return {};
    const std::string_view index =
        text.substr(head.size(), text.size() - head.size() - tail.size());
    for (char c : index) {
        if (c < '0' || c > '9')
            return {};
    }
    return index;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const uint8_t mode = data[0];
    const std::string listing(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::vector<std::string_view> lines = Lines(listing);

    // The asked name: the rest of one of the listing's lines after its first ": ",
    // sometimes in swapped letter case or cut short.
    const std::string_view source = lines[mode % lines.size()];
    const size_t colon = source.find(": ");
    std::string name(colon == std::string_view::npos ? source : source.substr(colon + 2));
    if (mode & 0x40) {
        for (char& c : name) {
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            else if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
    }
    if ((mode & 0x80) && !name.empty())
        name.pop_back();

    const hs::backend::HostedInterface found =
        hs::backend::InterfaceFromOffloadListing(listing, name);
    Check(found.number == hs::backend::InterfaceNumberOf(found.index));
    // Blanks around the name are the line's padding: only a name without them is
    // checked against the lines.
    Check(!name.empty() || found.index.empty());
    if (name.empty() || Strip(name) != name)
        return 0;
    std::string_view expected;
    for (std::string_view line : lines) {
        expected = HeaderIndex(line, name);
        if (!expected.empty())
            break;
    }
    // An index that is no number (beyond an interface index's range) is no index.
    if (hs::backend::InterfaceNumberOf(std::string(expected)) == 0)
        expected = {};
    Check(found.index == std::string(expected));
    return 0;
}

namespace {

std::vector<std::string> Seeds() {
    return {
        std::string("\x01") +
            "\r\n接口 1: Loopback Pseudo-Interface 1\r\n\r\n\r\n接口 11: 无线网络连接\r\n\r\n"
            " ipv4 传输校验和受支持。\r\n\r\n接口 26: 无线网络连接 2\r\n\r\n tcp "
            "大量发送卸载受支持。\r\n",
        std::string("\x04") +
            "\r\n接口 3: Wi-Fi\r\n\r\n接口 14: 本地连接* 12\r\n\r\n接口 4: 本地连接* 2\r\n",
        std::string("\x41") +
            "接口 7: VPN: Wi-Fi\r\n接口 9: WLAN\r\n接口 3: Wi-Fi  \r\n接口 11: wlan",
        std::string("\x82") + "  接口 2147483648: 以太网\n接口 : x\n接口 5:y\r\r\n",
    };
}

}  // namespace

HS_FUZZ_MAIN(Seeds())
