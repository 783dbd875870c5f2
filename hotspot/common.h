// Small helpers the hosted-network procedures share: trimming and the literal pattern
// of a connection name.
#pragma once

#include <string>

namespace hs::hotspot {

// The text without leading and trailing blanks (spaces, tabs, line ends).
std::string Trim(const std::string& text);

// Whether `text` contains `needle`, byte for byte.
inline bool Contains(const std::string& text, const std::string& needle) {
    return text.find(needle) != std::string::npos;
}

// The text with every character that means something in a regular expression written
// with a backslash before it, so that a connection name such as "本地连接* 12" or
// "热点(WiFi)" stands for itself in a pattern.
std::string EscapeLiteral(const std::string& text);

}  // namespace hs::hotspot
