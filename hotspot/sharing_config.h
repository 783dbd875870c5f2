// Internet Connection Sharing: switching it off everywhere, switching it on from the
// upstream connection to the hosted adapter, and listing the connections.
#pragma once

#include "app/app.h"

namespace hs::hotspot {

// Switches sharing off on every connection, appends the names of wired connections
// ("本地"; on Windows 8 also "以太") to 编辑框去除多个本地, collapses two or three
// collected names into the standard one, and disallows the hosted network.
void DisableAllSharing(app::App& app);

// What a switch-on pass did.
struct SharingOutcome {
    bool listed = false;          // the connections could be enumerated
    bool privateMatched = false;  // a connection bore the hosted adapter's name
    bool publicMatched = false;   // a connection bore the upstream's name
    bool privateFailed = false;   // the system refused to share to the hosted adapter
    bool publicFailed = false;    // the system refused to share the upstream
    // Sharing reached the hosted adapter and nothing was refused.
    bool Succeeded() const { return privateMatched && !privateFailed && !publicFailed; }
};

// Makes the connection named in 编辑框虚拟网卡 (exact name) the private side and the
// one named by the trimmed text of 组合框1 the public side, then sets the
// sharing-done flag.
SharingOutcome EnableHotspotSharing(app::App& app);

// Adds the connections that are not disconnected to the list of 组合框1, in the
// system's order, and switches a disabled wireless connection back on.
void ListConnections(app::App& app);

}  // namespace hs::hotspot
