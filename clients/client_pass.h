// One pass of the client list: who is on the hotspot, blocking the blacklisted, and
// names for the others. Runs on a worker; what it finds goes out through a sink.
//
// The pass reads "arp -a" and takes the entries of the hotspot segment (after the
// header naming the hotspot address, "接口: 192.168.137.1 --- 0x..." in any language, up to the
// segment's broadcast entry), each entry's IP address and hardware address from the same line. It
// asks the hotspot's backend for the associated stations (every hardware address the system lists)
// and reads the blacklist file (the addresses in the lines' parts before their first "+"). An entry
// whose address is all zeros (a device blocked before) is skipped; one that is not an associated
// station (a device that left) is skipped; a blacklisted one is blocked with the block command and
// not listed; the others are listed in the order of the ARP table. The first 15 listed devices are
// named: the saved name, else a ping (3000 ms limit) and a reverse lookup, the name saved to the
// names file.
//
// Pauses, as the pass makes them: 5 ms after each entry of the segment, 5 ms after
// each listed row, 10 ms after each name that was looked up (plus the ping's own
// wait when a device does not answer). A stop asked between steps ends the pass at
// once; a names-file write is never cut in half.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "backend/hotspot_backend.h"
#include "platform/host.h"

namespace hs::clients {

inline constexpr int kNamedRows = 15;
inline constexpr int64_t kPingLimitMs = 3000;
inline constexpr int kRefreshIntervalMs = 10000;
// The count label when no pass has counted (idle, monitoring off).
inline constexpr const char* kIdleCountLabel = "设备总数[0]";

// One device of the list: its row shows its number (1 for the first), `ip`, `mac`
// and, once named, a name.
struct ClientRow {
    std::string ip;
    std::string mac;  // dash form, exactly as "arp -a" printed it
    bool operator==(const ClientRow&) const = default;
};

// Where a pass's results go. Called on the pass's worker, in this order: Counted once,
// Listed once, then Named for some of the listed devices. A pass that was stopped
// stops calling.
class ClientPassSink {
  public:
    virtual ~ClientPassSink() = default;
    // The count label `标签3` reads `label` ("设备总数[N]", N = `devices`, never below 0).
    virtual void Counted(int devices, const std::string& label) = 0;
    // The client list `超级列表框1` now holds exactly these rows, in this order.
    virtual void Listed(const std::vector<ClientRow>& rows) = 0;
    // The name cell of the device with this hardware address shows `name`.
    virtual void Named(const std::string& mac, const std::string& name) = 0;
    // For a network that shares by itself (the Mobile Hotspot), after Counted: the list's
    // hint (HintText), saying how many devices the system lets join and whether it
    // refused to block a blacklisted one.
    virtual void Hinted(const std::string& hint) { (void)hint; }
    // A network that shares by itself was found off (the system switched it off): the
    // pass ends here and calls nothing else.
    virtual void SwitchedOff() {}
};

// Runs one pass; `network` tells who has joined. `hostedIndex` is the hosted interface's index as
// text ("2" when it was not found). True when the pass ran to its end, false when it was stopped.
bool RefreshClientList(Host& host, backend::HotspotBackend& network, const std::string& hostedIndex,
                       ClientPassSink& sink);

// The pieces of the pass, for tests and measurements.

// The entries of the hotspot segment in "arp -a" that have both an IP address and a
// hardware address on their line (the first of each on it), in the table's order.
std::vector<ClientRow> ArpCandidates(const std::string& arpOutput);

// "设备总数[N]" for `devices` joined devices.
std::string CountLabel(int devices);

// The list's hint as it reads while the hotspot is idle or on the hosted network.
inline constexpr const char* kListHint = "右键鼠标拉入黑名单   双击可修改备注";
// The hint on the Mobile Hotspot: the system's maximum (when it gave one) and, when the
// system did not take a block, that blacklisted devices still reach the network.
std::string HintText(int maxDevices, bool blockRefused);

}  // namespace hs::clients
