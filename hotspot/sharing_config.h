// Internet Connection Sharing: switching it off everywhere, switching it on from the
// upstream connection to the hosted adapter, and listing the connections. These run
// on any thread and touch no control: they take what the controls held and return
// what the controls should hold.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "backend/hotspot_backend.h"
#include "platform/host.h"

namespace hs::hotspot {

// What a switch-off pass did.
struct SwitchOff {
    // The wired connections' names collected so far (what 编辑框去除多个本地 shows).
    std::string wiredNames;
    // The system refused to switch sharing off on a connection, or the command that
    // disallows the hosted network could not be run.
    bool failed = false;
};

// Switches sharing off on every connection, appends the names of wired connections
// ("本地"; on Windows 8 also "以太") to `wiredNames`, collapses two or three collected
// names into the standard one, and disallows the network (`network`). A network that
// shares by itself (the Mobile Hotspot) is only switched off: the connections' sharing
// is its own. While the system's Mobile Hotspot is on (asked first, on Windows 10 1607
// and later), the connections' sharing is left alone for it as well.
SwitchOff DisableAllSharing(Host& host, backend::HotspotBackend& network, bool windows8,
                            std::string wiredNames);

// What a switch-on pass did.
struct SharingOutcome {
    bool listed = false;          // the connections could be enumerated
    bool privateMatched = false;  // a connection bore the hosted adapter's name
    bool publicMatched = false;   // a connection bore the upstream's name
    bool privateFailed = false;   // the system refused to share to the hosted adapter
    bool publicFailed = false;    // the system refused to share the upstream
    // The system's result code of the first refusal (an HRESULT such as 0x80040201);
    // 0 when nothing was refused or the system gave no code.
    uint32_t failureCode = 0;
    // Sharing reached the hosted adapter from the upstream and nothing was refused.
    bool Succeeded() const {
        return privateMatched && publicMatched && !privateFailed && !publicFailed;
    }
};

// Makes the connection named `hosted` (exact name) the private side and the one named
// by the trimmed `upstream` the public side. The caller sets the sharing-done flag.
SharingOutcome EnableHotspotSharing(Host& host, const std::string& hosted,
                                    const std::string& upstream);

// The connections that are not disconnected, in the system's order (the items of
// 组合框1); switches a disabled wireless connection back on.
std::vector<std::string> ListConnections(Host& host, bool windows8);

}  // namespace hs::hotspot
