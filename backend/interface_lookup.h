// The hosted adapter's interface index, as the network shell reports it.
#pragma once

#include <string>

#include "backend/hotspot_backend.h"
#include "platform/host.h"

namespace hs::backend {

// Finds the header line "接口 <index>: <name>" (or "介面", "Interface") of the
// connection `adapterName` in the output of "netsh interface ipv4 show offload" (run
// through RunCommand, so it returns at once in a worker whose stop was asked). The
// name is matched literally, in its case and as the whole rest of the line, so
// "本地连接* 12" is found through its "*", "本地连接* 1" never finds the header of
// "本地连接* 12", and "VPN: Wi-Fi" never answers for "Wi-Fi". No header: no index.
HostedInterface LookupInterfaceNumber(Host& host, const std::string& adapterName);

// The number a text index stands for: leading digits, truncated, 0 when there are
// none; values beyond what an interface index can be give 0 as well.
int InterfaceNumberOf(const std::string& index);

}  // namespace hs::backend
