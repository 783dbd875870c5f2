// The blacklist file "c:\wifiblack.txt": one blacklisted device per line, its
// hardware address + "+" + its name, GBK text, lines separated by CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>
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

// The entries of the file's bytes in file order. A line is split at its first "+":
// the address before it, the name (which may hold "+" itself) after it; a line
// without "+" is an address only. Each part is converted from GBK on its own, so a
// row's address is always AddressCell of its line. The IP address stays empty. Empty
// lines are skipped; a lone line feed ends a line too.
std::vector<BlacklistRow> ParseBlacklist(std::string_view bytes, TextCodec& codec);

// Reads the file's entries; a missing file has none. Nothing (std::nullopt) when the
// file exists but could not be read: then the program does not know what it holds
// and must never rewrite it from the rows it shows.
std::optional<std::vector<BlacklistRow>> ReadBlacklist(Host& host);

// The text the blacklist shows as the address of a line: the line's address part (its
// bytes before the first "+") converted from GBK.
std::string AddressCell(std::string_view line, TextCodec& codec);

// What releasing one entry did to the file.
enum class Released {
    Yes,        // its line is gone
    NotInFile,  // no line shows that address: nothing changed
    // Lines whose bytes differ show that address, because bytes that are not GBK
    // convert alike: the entry cannot be told by its address, nothing changed.
    Unclear,
};

// Removes, for each address in turn (the address cells of the released rows), the
// first line whose AddressCell is that address (letter case ignored), byte for byte as
// it was read; every other byte of the text stays. `outcomes` gets one answer per
// address. An address that several lines show, whose address parts are not the same
// bytes (letter case ignored), is Unclear and removes nothing: a converted guess could
// remove another device's line.
std::string RemoveBlacklistLines(std::string_view bytes, const std::vector<std::string>& addresses,
                                 TextCodec& codec, std::vector<Released>& outcomes);

}  // namespace hs::clients
