// The blacklist file "c:\wifiblack.txt": one blacklisted device per line, its
// hardware address + "+" + its name, GBK text, lines separated by CR LF.
#pragma once

#include <string>
#include <vector>

#include "clients/data_file.h"
#include "platform/host.h"

namespace hs::clients {

// One row of the blacklist `超级列表框2`: its columns 0, 1 and 2.
struct BlacklistRow {
    std::string ip;    // the address the device had when it was blacklisted in this run
    std::string mac;   // hardware address, as the client list showed it
    std::string name;  // the name it had in the client list; may be empty
    bool operator==(const BlacklistRow&) const = default;
};

// The file's entries in file order. A line is split at its first "+": the address
// before it, the name (which may hold "+" itself) after it; a line without "+" is an
// address only. The IP address stays empty. Empty lines are skipped; a lone line feed
// ends a line too; a missing or unreadable file gives no entry.
std::vector<BlacklistRow> ReadBlacklist(Host& host);

}  // namespace hs::clients
