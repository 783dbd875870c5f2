#include "hotspot/common.h"

#include <cstring>

namespace hs::hotspot {

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::string EscapeLiteral(const std::string& text) {
    static const char* const kSpecial = "\\^$.|?*+()[]{}/";
    std::string escaped;
    escaped.reserve(text.size() + 4);
    for (const char c : text) {
        if (c != '\0' && std::strchr(kSpecial, c) != nullptr)
            escaped.push_back('\\');
        escaped.push_back(c);
    }
    return escaped;
}

}  // namespace hs::hotspot
