// The update server's address. Its host name is kept here and nowhere else.
#pragma once

#include <array>
#include <string>

namespace hs::app {

inline constexpr const char* kUpdateServerHost = "update.lanzhou-wifi.example";

// The address in the five pieces the program keeps: the scheme, three pieces that
// joined in order spell the host name, and the page suffix.
inline std::array<std::string, 5> UpdateUrlPieces() {
    const std::string host = kUpdateServerHost;
    const size_t first = host.find('.');
    const size_t second = host.find('.', first + 1);
    return {"http://", host.substr(0, first), host.substr(first, second - first),
            host.substr(second), ".html"};
}

}  // namespace hs::app
