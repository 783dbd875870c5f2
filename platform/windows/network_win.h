// Echo requests (ping) and reverse name lookups of IPv4 addresses.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host.h"

namespace hs::win {

class WindowsNetworkProbe : public NetworkProbe {
  public:
    // One echo request through the ICMP helper (IcmpSendEcho). With a stop signal the
    // request waits on a worker thread, so that a stop returns at once.
    bool Ping(const std::string& ipv4, int64_t timeoutMs, const StopSignal* stop) override;
    // getnameinfo with NI_NAMEREQD: a registered name or nothing, never the address
    // itself. Winsock is started once for the process.
    std::string HostName(const std::string& ipv4) override;
};

}  // namespace hs::win
