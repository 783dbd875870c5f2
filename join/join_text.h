// The text a phone's camera reads from the hotspot's QR code to join the network.
#pragma once

#include <string>
#include <string_view>

namespace hs::join {

// The Wi-Fi join text for a WPA/WPA2 network: "WIFI:T:WPA;S:<ssid>;P:<key>;;". The
// characters \ ; , : and " in the SSID and the key are escaped with a backslash, so a
// reader splits the fields where we mean it to; every other byte (UTF-8 included) is
// kept exactly as given.
std::string JoinText(std::string_view ssid, std::string_view key);

// `field` with \ ; , : and " escaped by a backslash.
std::string EscapeJoinField(std::string_view field);

}  // namespace hs::join
