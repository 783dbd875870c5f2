// Time of one client-list pass's pattern work over a large ARP table: the
// figures later changes to the regular-expression engine are compared against.
// Not a test.
//
//   regex_bench [entries=1000] [passes=20]
//
// One pass does what the client list does with the listings: the broadcast
// marker over "arp -a", the hotspot segment cut out between markers, the IP and
// dash hardware-address patterns over the segment, the colon pattern over
// "netsh wlan show hostednetwork" with its colons turned into dashes, and the IP
// and hardware-address patterns again over each candidate line.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sys/regex.h"
#include "sys/text.h"

namespace {

std::string Hex2(unsigned value) {
    static const char digits[] = "0123456789abcdef";
    return {digits[(value >> 4) & 15], digits[value & 15]};
}

std::string Mac(unsigned i, char separator) {
    std::string mac = "a4";
    for (unsigned part : {0x5eu, 0x60u, i >> 16, i >> 8, i})
        mac += separator + Hex2(part);
    return mac;
}

// "arp -a" of a laptop sharing to `entries` stations, CR LF line ends.
std::string ArpListing(int entries) {
    std::string arp =
        "\r\n接口: 192.168.1.105 --- 0xb\r\n"
        "  Internet 地址         物理地址              类型\r\n"
        "  192.168.1.1           c8-3a-35-84-78-1e     动态\r\n"
        "  192.168.1.255         ff-ff-ff-ff-ff-ff     静态\r\n"
        "\r\n接口: 192.168.137.1 --- 0x1a\r\n"
        "  Internet 地址         物理地址              类型\r\n";
    for (int i = 0; i < entries; ++i) {
        std::string ip = "192.168.137." + std::to_string(2 + i % 250);
        ip.resize(22, ' ');
        arp += "  " + ip + Mac(static_cast<unsigned>(i), '-') + "     动态\r\n";
    }
    arp +=
        "  192.168.137.255       ff-ff-ff-ff-ff-ff     静态\r\n"
        "  224.0.0.22            01-00-5e-00-00-16     静态\r\n"
        "  255.255.255.255       ff-ff-ff-ff-ff-ff     静态\r\n";
    return arp;
}

// "netsh wlan show hostednetwork" with `entries` associated stations.
std::string HostedNetworkStatus(int entries) {
    std::string status =
        "\r\n承载网络设置\r\n------------\r\n    模式                   : 已启用\r\n"
        "\r\n承载网络状态\r\n------------\r\n    状态                   : 已启动\r\n"
        "    BSSID                  : 8e:70:5a:1c:2b:3d\r\n"
        "    客户端数               : " +
        std::to_string(entries) + "\r\n";
    for (int i = 0; i < entries; ++i) {
        status += "        " + Mac(static_cast<unsigned>(i), ':') + "        已经过身份验证\r\n";
    }
    return status + "\r\n";
}

const char* const kIp = "\\d+\\.\\d+\\.\\d+\\.\\d+";
const char* const kDashMac = "([0-9A-F]{2})(-[0-9A-F]{2}){5}";
const char* const kColonMac = "([0-9A-F]{2})(:[0-9A-F]{2}){5}";

// One pass; returns the number of stations found so the work cannot be dropped.
int Pass(const std::string& arp, const std::string& status) {
    hs::RegexObject marker;
    marker.Create("192\\.168\\.137.*ff-ff-ff-ff-ff-ff", arp);
    const std::string segment = hs::TextBetween(arp, "接口: 192.168.137", marker.MatchText(1));
    hs::RegexObject ips, macs;
    ips.Create(kIp, segment);
    macs.Create(kDashMac, segment);
    std::string candidates;
    for (int i = 1; i <= ips.MatchCount(); ++i) {
        candidates = ips.MatchText(i) + "+" + macs.MatchText(i) + "\r\n" + candidates;
    }
    hs::RegexObject stations;
    stations.Create(kColonMac, status);
    const std::string dashed = hs::ReplaceMany(status, 100, 1, false, {{":", "-"}});
    int found = stations.MatchCount();
    // Split once into candidate lines, as the client list does.
    size_t from = 0;
    while (from < candidates.size()) {
        const size_t end = candidates.find("\r\n", from);
        const std::string candidate = candidates.substr(from, end - from);
        from = end + 2;
        hs::RegexObject ip, mac;
        ip.Create(kIp, candidate);
        mac.Create(kDashMac, candidate);
        if (mac.MatchCount() > 0 && dashed.find(mac.MatchText(1)) != std::string::npos)
            ++found;
        found += ip.MatchCount() > 0 ? 0 : 1;
    }
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    const int entries = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int passes = argc > 2 ? std::atoi(argv[2]) : 20;
    const std::string arp = ArpListing(entries);
    const std::string status = HostedNetworkStatus(entries);
    std::printf(
        "Client-list patterns: ARP listing of %d entries (%zu bytes), hosted-network "
        "status of %zu bytes, %d passes\n",
        entries, arp.size(), status.size(), passes);

    int found = Pass(arp, status);  // warm-up
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < passes; ++i)
        found += Pass(arp, status);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("  %.3f ms per pass, %.1f passes per second (checksum %d)\n",
                seconds * 1000 / passes, passes / seconds, found);

    // The segment patterns alone, over the whole listing.
    const auto one = std::chrono::steady_clock::now();
    int matches = 0;
    for (int i = 0; i < passes; ++i) {
        for (const char* pattern : {kIp, kDashMac}) {
            hs::RegexObject re;
            re.Create(pattern, arp);
            matches += re.MatchCount();
        }
    }
    const double patternSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - one).count();
    std::printf("  IP and hardware-address patterns over the listing: %.3f ms (%d matches)\n",
                patternSeconds * 1000 / passes, matches / passes);
    return 0;
}
