#include "backend/hardware_address.h"

#include <vector>

namespace hs::backend {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string WithoutBlanks(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && (text[first] == ' ' || text[first] == '\t'))
        ++first;
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t' ||
                            text[last - 1] == '\r' || text[last - 1] == '\n'))
        --last;
    return text.substr(first, last - first);
}

// The six bytes of `groups` (each one or two hex digits) in dash form.
std::optional<std::string> DashForm(const std::vector<std::string>& groups) {
    if (groups.size() != 6)
        return std::nullopt;
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (const std::string& group : groups) {
        if (group.empty() || group.size() > 2)
            return std::nullopt;
        int value = 0;
        for (char c : group) {
            const int digit = HexValue(c);
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + digit;
        }
        if (!out.empty())
            out += '-';
        out += kDigits[value / 16];
        out += kDigits[value % 16];
    }
    return out;
}

}  // namespace

std::optional<std::string> NormalizeHardwareAddress(const std::string& text) {
    const std::string address = WithoutBlanks(text);
    std::vector<std::string> groups;
    if (address.find_first_of(":-") == std::string::npos) {
        if (address.size() != 12)
            return std::nullopt;
        for (size_t i = 0; i < 12; i += 2)
            groups.push_back(address.substr(i, 2));
        return DashForm(groups);
    }
    std::string group;
    for (char c : address) {
        if (c == ':' || c == '-') {
            groups.push_back(group);
            group.clear();
        } else {
            group += c;
        }
    }
    groups.push_back(group);
    return DashForm(groups);
}

}  // namespace hs::backend
