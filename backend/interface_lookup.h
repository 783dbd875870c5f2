// The hosted adapter's interface index, as the network shell reports it.
#pragma once

#include <string>
#include <string_view>

#include "backend/hotspot_backend.h"
#include "platform/host.h"

namespace hs::backend {

// Finds the header line "接口 <index>: <name>" (or "介面", "Interface") of the
// connection `adapterName` in the output of "netsh interface ipv4 show offload" (run
// through RunCommand, so it returns at once in a worker whose stop was asked).
HostedInterface LookupInterfaceNumber(Host& host, const std::string& adapterName);

// The same on a listing at hand. The first header whose name, the whole rest of the
// line after "接口 <digits>: " (blanks after it allowed), equals `adapterName` byte
// for byte, letter case included, gives the index: "本地连接* 1" never finds the header
// of "本地连接* 12", "Wi-Fi" never that of "VPN: Wi-Fi", "wlan" never that of "WLAN".
// Without such a header there is no index: empty, number 0, never another interface's.
HostedInterface InterfaceFromOffloadListing(std::string_view listing,
                                            const std::string& adapterName);

// The number a text index stands for: leading digits, truncated, 0 when there are
// none; values beyond what an interface index can be give 0 as well.
int InterfaceNumberOf(const std::string& index);

}  // namespace hs::backend
