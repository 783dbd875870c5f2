// Finds the connection name of the hosted network's virtual adapter.
#pragma once

#include <optional>
#include <string>

#include "backend/hotspot_backend.h"
#include "platform/host.h"

namespace hs::backend {

// Windows 8 recognises the hosted adapter by "Microsoft 托管" at the start of its
// description; Windows 7 by "Microsoft".
//
// Walks the adapter list and, for every adapter whose connection name followed by
// its description contains "Microsoft", takes the text before the variant's marker
// (case ignored). Windows 8: a non-empty result replaces `current`, and the result is
// trimmed at the end. Other: every result replaces it, the last one wins. Returns what
// the hosted-name box holds afterwards (`current` when nothing matched).
std::string HostedAdapterDiscovery(Host& host, DiscoveryVariant variant, std::string current);

// The adapter whose GUID is `guid` (letter case ignored); none when the list has no
// such adapter or could not be read.
std::optional<AdapterInfo> AdapterWithGuid(Host& host, const std::string& guid);
// The adapter whose connection name is exactly `connectionName`.
std::optional<AdapterInfo> AdapterNamed(Host& host, const std::string& connectionName);

}  // namespace hs::backend
