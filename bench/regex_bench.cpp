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
#include "tests/large_listings.h"

namespace {

using hs::testing::LargeArpListing;
using hs::testing::LargeHostedStatus;

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
    const std::string arp = LargeArpListing(entries);
    const std::string status = LargeHostedStatus(entries);
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
