#include "platform/sim/console_text.h"

namespace hs::sim {

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> tokens;
    std::string current;
    bool inQuotes = false;
    bool any = false;
    for (char c : line) {
        if (c == '"') {
            inQuotes = !inQuotes;
            any = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (any)
                tokens.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any)
        tokens.push_back(current);
    return tokens;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
    return Lower(a) == Lower(b);
}

size_t DisplayWidth(const std::string& utf8) {
    size_t width = 0;
    for (unsigned char c : utf8) {
        if (c < 0x80) {
            ++width;
        } else if ((c & 0xC0) != 0x80) {
            width += 2;  // the lead byte of a character outside ASCII
        }
    }
    return width;
}

std::string PadDisplay(const std::string& text, size_t width) {
    const size_t used = DisplayWidth(text);
    return used >= width ? text : text + std::string(width - used, ' ');
}

bool ParseIpv4(const std::string& text, uint32_t& out) {
    uint32_t value = 0;
    int parts = 0;
    size_t i = 0;
    while (parts < 4) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            return false;
        uint32_t part = 0;
        size_t digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 4) {
            part = part * 10 + static_cast<uint32_t>(text[i] - '0');
            ++i;
            ++digits;
        }
        if (part > 255)
            return false;
        value = (value << 8) | part;
        ++parts;
        if (parts < 4) {
            if (i >= text.size() || text[i] != '.')
                return false;
            ++i;
        }
    }
    if (i != text.size())
        return false;
    out = value;
    return true;
}

std::string FormatIpv4(uint32_t value) {
    return std::to_string(value >> 24) + "." + std::to_string((value >> 16) & 0xFF) + "." +
           std::to_string((value >> 8) & 0xFF) + "." + std::to_string(value & 0xFF);
}

uint32_t PrefixMask(int prefix) {
    if (prefix <= 0)
        return 0;
    if (prefix >= 32)
        return 0xFFFFFFFFu;
    return ~((1u << (32 - prefix)) - 1u);
}

int MaskPrefix(uint32_t mask) {
    for (int prefix = 0; prefix <= 32; ++prefix) {
        if (PrefixMask(prefix) == mask)
            return prefix;
    }
    return -1;
}

namespace {

std::string MacWith(const std::string& mac, char separator) {
    if (mac.size() != 17)
        return {};
    std::string out;
    for (size_t i = 0; i < 17; ++i) {
        const char c = mac[i];
        if (i % 3 == 2) {
            if (c != ':' && c != '-')
                return {};
            out += separator;
            continue;
        }
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!hex)
            return {};
        out += c;
    }
    return Lower(out);
}

}  // namespace

std::string DashMac(const std::string& mac) {
    return MacWith(mac, '-');
}
std::string ColonMac(const std::string& mac) {
    return MacWith(mac, ':');
}

std::string ToCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

}  // namespace hs::sim
