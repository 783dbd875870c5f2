// The blacklist file "c:\wifiblack.txt": one blacklisted device per line, its
// hardware address + "+" + its name, GBK text, lines separated by CR LF.
#pragma once

#include "platform/host.h"
#include "ui/model.h"

namespace hs::clients {

inline constexpr const char* kBlacklistPath = "c:\\wifiblack.txt";

// Appends the file's entries to the blacklist list `超级列表框2`: a line of exactly two
// "+"-separated pieces gives address (cell 1) and name (cell 2); any other line gives
// its first piece as the address only. Cell 0 (the IP address) stays empty. Empty
// lines are skipped; a missing file adds nothing.
void LoadBlacklist(Host& host, ui::Control list);

}  // namespace hs::clients
