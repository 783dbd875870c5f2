// The words Windows' console tools print in the languages the program knows:
// Simplified Chinese (code page 936), Traditional Chinese (950) and English (437).
// They decide only where the system cannot tell by itself (Windows without the WLAN
// API, an adapter the adapter list does not know); everywhere else the system's own
// state decides. Each word's source is given beside it in console_words.cpp.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace hs::backend {

// The configure command's answer says the program is not elevated.
bool SaysNotAdministrator(const std::string& output);
// The start command's answer says the network could not be started.
bool SaysStartFailed(const std::string& output);
// The status line of "netsh wlan show hostednetwork": started, not started, or
// neither (a state the table does not know, or no status line).
bool SaysStarted(const std::string& statusValue);
bool SaysNotStarted(const std::string& statusValue);
// The word of a "DHCP enabled" line that means yes.
bool SaysYes(const std::string& value);
// How many bytes of `line` the word that begins an interface header of "netsh
// interface ipv4 show offload" takes with the space after it ("接口 " of
// "接口 14: NAME"); 0 when the line begins with no such word.
size_t InterfaceHeaderWord(std::string_view line);

}  // namespace hs::backend
