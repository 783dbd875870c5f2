// Finds the connection name of the hosted network's virtual adapter and leaves it in
// 编辑框虚拟网卡.
#pragma once

#include "app/app.h"

namespace hs::hotspot {

// Windows 8 recognises the hosted adapter by "Microsoft 托管" at the start of its
// description; Windows 7 by "Microsoft".
enum class DiscoveryVariant { Windows8, Other };

// Walks the adapter list and, for every adapter whose connection name followed by
// its description contains "Microsoft", takes the text before the variant's marker
// (case ignored). Windows 8: a non-empty result replaces the box, and the box is
// trimmed at the end. Other: every result replaces the box, the last one wins.
void HostedAdapterDiscovery(app::App& app, DiscoveryVariant variant);

}  // namespace hs::hotspot
