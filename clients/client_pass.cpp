#include "clients/client_pass.h"

#include <algorithm>

#include "clients/blacklist.h"
#include "clients/data_file.h"
#include "clients/device_names.h"
#include "sys/command.h"
#include "sys/delay.h"
#include "sys/regex.h"
#include "sys/text.h"
#include "sys/worker.h"

namespace hs::clients {

namespace {

// The hotspot segment's header names the hotspot's own address and the interface
// number, "接口: 192.168.137.1 --- 0xb"; only the word before it depends on the
// system's language ("Interface:", "介面:"), so the address and the " --- 0x" after it
// find the header.
constexpr const char* kSegmentHeaderPattern = "192\\.168\\.137\\.[0-9]+ --- 0x";
constexpr const char* kSegmentEndPattern = "192\\.168\\.137.*ff-ff-ff-ff-ff-ff";
constexpr const char* kIpPattern = "\\d+\\.\\d+\\.\\d+\\.\\d+";
constexpr const char* kDashPattern = "([0-9A-F]{2})(-[0-9A-F]{2}){5}";

constexpr int64_t kAfterEntryMs = 5;
constexpr int64_t kAfterRowMs = 5;
constexpr int64_t kAfterLookupMs = 10;

// The first match of `pattern` on each line of `text`: index i holds line i's, or
// stays empty.
std::vector<std::string> FirstMatchPerLine(const std::string& pattern, const std::string& text,
                                           const std::vector<size_t>& lineEnds) {
    std::vector<std::string> found(lineEnds.size() + 1);
    RegexObject matches;
    matches.Create(pattern, text);
    size_t line = 0;
    for (int n = 1; n <= matches.MatchCount(); ++n) {
        size_t position = 0;
        std::string match = matches.MatchText(n, &position);
        while (line < lineEnds.size() && lineEnds[line] < position)
            ++line;
        if (found[line].empty())
            found[line] = std::move(match);
    }
    return found;
}

// The device's name when it has none saved: looked up, or "未知设备" when the ping
// gets no reply. Empty when the pass was stopped meanwhile.
std::string LookUpName(Host& host, const std::string& ip) {
    if (host.network == nullptr)
        return kUnknownDevice;
    const bool answered = host.network->Ping(ip, kPingLimitMs, CurrentStop());
    if (StopRequested())
        return {};
    if (!answered)
        return kUnknownDevice;
    const std::string hostName = host.network->HostName(ip);
    if (StopRequested())
        return {};
    return NameFromHostName(hostName);
}

}  // namespace

std::vector<ClientRow> ArpCandidates(const std::string& arpOutput) {
    RegexObject end;
    end.Create(kSegmentEndPattern, arpOutput);
    RegexObject header;
    header.Create(kSegmentHeaderPattern, arpOutput);
    const std::string start = header.MatchText(1);
    const std::string segment =
        start.empty() ? std::string() : TextBetween(arpOutput, start, end.MatchText(1));
    std::vector<size_t> lineEnds;
    for (size_t lf = segment.find('\n'); lf != std::string::npos; lf = segment.find('\n', lf + 1))
        lineEnds.push_back(lf);
    // Address and hardware address come from the same entry line, so an entry
    // without one of them never pairs another entry's.
    const std::vector<std::string> ips = FirstMatchPerLine(kIpPattern, segment, lineEnds);
    const std::vector<std::string> macs = FirstMatchPerLine(kDashPattern, segment, lineEnds);
    std::vector<ClientRow> candidates;
    for (size_t line = 0; line < ips.size(); ++line) {
        if (!ips[line].empty() && !macs[line].empty())
            candidates.push_back({ips[line], macs[line]});
    }
    return candidates;
}

std::string CountLabel(int devices) {
    return "设备总数[" + std::to_string(devices) + "]";
}

std::string HintText(int maxDevices, bool blockRefused) {
    if (blockRefused)
        return "系统不接受拉黑，黑名单设备仍能上网";
    if (maxDevices <= 0)
        return kListHint;
    return "最多" + std::to_string(maxDevices) + "台设备   右键拉黑   双击改备注";
}

bool RefreshClientList(Host& host, backend::HotspotBackend& network, const std::string& hostedIndex,
                       ClientPassSink& sink) {
    const std::string arp = RunCommand(host, "arp -a");
    if (StopRequested())
        return false;
    const std::vector<ClientRow> candidates = ArpCandidates(arp);

    const backend::Stations joined = network.CurrentStations();
    if (StopRequested())
        return false;
    const std::unordered_set<std::string>& stations = joined.addresses;
    const bool sharesItself = network.SharesItself();
    if (sharesItself && joined.state == backend::NetworkState::Idle) {
        sink.SwitchedOff();
        return false;
    }

    std::string blacklistBytes;
    if (!ReadDataFile(host, kBlacklistPath, blacklistBytes))
        blacklistBytes.clear();
    const std::unordered_set<std::string> blacklisted = AddressesOfLines(blacklistBytes);

    // The entries are gone through from the last to the first, so blocks are made in
    // that order; the kept rows are turned back into the table's order.
    std::vector<ClientRow> rows;
    std::unordered_set<std::string> blocked;
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
        const std::string mac = UpperAscii(it->mac);
        if (mac != kZeroAddress && stations.count(mac) != 0) {
            if (blacklisted.count(mac) != 0) {
                RunCommand(host, BlockCommand(hostedIndex, it->ip));
                blocked.insert(it->ip);
            } else {
                rows.push_back(*it);
            }
        }
        Delay(host, kAfterEntryMs);
        if (StopRequested())
            return false;
    }
    std::reverse(rows.begin(), rows.end());

    // On the Mobile Hotspot the system may not take the all-zero entry on its adapter: the
    // table read again tells, in no language, whether a blocked address still has a
    // device's hardware address.
    bool blockRefused = false;
    if (sharesItself && !blocked.empty()) {
        const std::string after = RunCommand(host, "arp -a");
        if (StopRequested())
            return false;
        for (const ClientRow& entry : ArpCandidates(after)) {
            if (blocked.count(entry.ip) != 0 && UpperAscii(entry.mac) != kZeroAddress)
                blockRefused = true;
        }
    }

    sink.Counted(joined.devices, CountLabel(joined.devices));
    if (sharesItself)
        sink.Hinted(HintText(joined.maxDevices, blockRefused));
    sink.Listed(rows);
    for (size_t j = 0; j < rows.size(); ++j) {
        Delay(host, kAfterRowMs);
        if (StopRequested())
            return false;
    }

    const size_t named = std::min(rows.size(), static_cast<size_t>(kNamedRows));
    for (size_t r = 0; r < named; ++r) {
        const ClientRow& row = rows[r];
        const std::string saved = ReadSavedName(host, row.mac);
        if (!saved.empty()) {
            sink.Named(row.mac, saved);
            continue;
        }
        const std::string found = LookUpName(host, row.ip);
        if (found.empty())
            return false;  // stopped while looking: nothing is saved for a guess
        sink.Named(row.mac, SaveFoundName(host, row.mac, found));
        Delay(host, kAfterLookupMs);
        if (StopRequested())
            return false;
    }
    return true;
}

}  // namespace hs::clients
