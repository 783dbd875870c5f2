// Echo requests (ping) and reverse name lookups of IPv4 addresses.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host.h"
#include "platform/windows/stoppable_call.h"

namespace hs::win {

// The strict dotted form of an IPv4 address, "192.168.137.1": four decimal parts of
// 0 to 255 without leading zeros (so nothing is read as octal) and nothing else.
// `value` holds the first part in its high byte. False, `value` untouched, for
// anything else. (The system's own parser, InetPton, is missing on Windows XP.)
bool ParseDottedQuad(const std::string& text, uint32_t& value);

class WindowsNetworkProbe : public NetworkProbe {
  public:
    // One echo request through the ICMP helper (IcmpSendEcho). With a stop signal the
    // request waits on a worker thread, so that a stop returns at once.
    bool Ping(const std::string& ipv4, int64_t timeoutMs, const StopSignal* stop) override;
    // getnameinfo with NI_NAMEREQD: a registered name or nothing, never the address
    // itself. Winsock is started once for the process. On a worker the lookup waits on
    // a thread of its own, so that the worker's stop returns at once with nothing.
    std::string HostName(const std::string& ipv4) override;

  private:
    // The requests and lookups given up on, until they have ended.
    CallOwner calls_;
};

}  // namespace hs::win
