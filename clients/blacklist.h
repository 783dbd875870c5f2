// Cutting a device off the hotspot and letting it back in.
//
// A device is blocked by a static neighbour entry on the hosted-network interface
// that maps its IP address to the all-zero hardware address. The blacklist file
// (blacklist_file.h) remembers whom to block; every client-list pass blocks a
// blacklisted device again whenever it shows up with its real address.
#pragma once

#include <string>
#include <vector>

#include "clients/blacklist_file.h"
#include "platform/host.h"
#include "sys/worker.h"

namespace hs::clients {

inline constexpr const char* kZeroAddress = "00-00-00-00-00-00";

// The block command for the device's IP address on the hosted interface:
// netsh interface ipv4 set neighbors INDEX "IP" "00-00-00-00-00-00" store=active
std::string BlockCommand(const std::string& hostedIndex, const std::string& ip);

// A selected row of the client list `超级列表框1`: its columns 1, 2 and 3.
struct ClientEntry {
    std::string ip;
    std::string mac;
    std::string name;
};

// Blacklisting the selected client rows (given in ascending row order), as the menu
// item `拉入黑名单` does: every selected device is blocked at once, in that order, the
// selected rows are added to the end of the blacklist rows shifted one column (IP,
// address, name), rows whose address text repeats one above them are dropped, and
// the blacklist file is rewritten from the result. Returns the blacklist rows the list
// must show now; with nothing selected, `rows` unchanged and nothing run or written.
// The caller then deletes the selected rows of the client list. Worker side. The file
// is written only once the runs `before` (earlier blacklistings) have ended, at most
// kBlacklistWaitMs later, so the last blacklisting's rows are the file's.
//
// `keepFileLines`: the file could not be read when the rows were loaded, so the rows
// are not what it holds. It is then never rewritten from them: the selected devices
// are appended to it instead (AppendToBlacklistFile), every line it has kept.
inline constexpr int64_t kBlacklistWaitMs = 5000;
struct Blacklisting {
    std::vector<BlacklistRow> rows;
    bool fileWritten = false;
};
Blacklisting BlacklistSelected(Host& host, const std::string& hostedIndex,
                               const std::vector<ClientEntry>& selected,
                               std::vector<BlacklistRow> rows,
                               const std::vector<RunToken>& before = {},
                               bool keepFileLines = false);

// The rows with `selected` appended (shifted one column) and later repeats of an
// address text dropped, the first occurrence kept.
std::vector<BlacklistRow> AddToBlacklist(std::vector<BlacklistRow> rows,
                                         const std::vector<ClientEntry>& selected);

// The blacklist file's text (UTF-8) for the rows: address + "+" + name + CR LF for
// each row from the top.
std::string BlacklistText(const std::vector<BlacklistRow>& rows);

// Replaces the blacklist file with the rows' text, under the file's lock. A file that
// exists but cannot be read now is left as it is (false).
bool WriteBlacklistFile(Host& host, const std::vector<BlacklistRow>& rows);

// Adds a line address + "+" + name + CR LF for each entry that no line of the file
// shows yet (AddressCell, letter case ignored), after the file's last line; every byte
// the file held stays. One step under the file's lock, reading it again; false, and
// nothing written, when it cannot be read.
bool AppendToBlacklistFile(Host& host, const std::vector<BlacklistRow>& entries);

// The first part of releasing (`取消黑名单`): removes the line of each address (the
// address cells of the selected blacklist rows) from the blacklist file as
// RemoveBlacklistLines does, in one step under the file's lock. One answer per
// address; all NotInFile, and nothing changed, when the file could not be read or
// written. The caller then deletes the rows whose line went and, when any did, calls
// DeleteBlockEntries.
std::vector<Released> RemoveFromBlacklistFile(Host& host,
                                              const std::vector<std::string>& addresses);

// The second part of releasing: reads "arp -a" and deletes every all-zero neighbour
// entry of a 192.168.x.x address, in the order listed, with "arp -d IP" and a 1500 ms
// pause after each. Returns the addresses it deleted. Stops early when the worker it
// runs on is asked to stop.
std::vector<std::string> DeleteBlockEntries(Host& host);

}  // namespace hs::clients
