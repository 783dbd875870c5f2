// Characters for the regular-expression engine: UTF-8 decoding, simple case
// mapping and the built-in classes.
#include "sys/regex_engine.h"

namespace hs::rx {

namespace {

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

}  // namespace

char32_t DecodeAt(std::string_view text, size_t pos, size_t* length) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    const unsigned char b0 = p[pos];
    if (b0 < 0x80) {
        *length = 1;
        return b0;
    }
    size_t need = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1;
        c = b0 & 0x1F;
        minimum = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2;
        c = b0 & 0x0F;
        minimum = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3;
        c = b0 & 0x07;
        minimum = 0x10000;
    }
    if (need == 0 || pos + need >= n) {
        *length = 1;
        return kInvalidByteBase + b0;
    }
    for (size_t i = 1; i <= need; ++i) {
        if (!IsContinuation(p[pos + i])) {
            *length = 1;
            return kInvalidByteBase + b0;
        }
        c = (c << 6) | (p[pos + i] & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        *length = 1;
        return kInvalidByteBase + b0;
    }
    *length = need + 1;
    return c;
}

size_t PreviousCharStart(std::string_view text, size_t pos) {
    // A valid sequence is at most four bytes; look for its lead byte and check
    // that it really spans up to `pos`.
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t back = 2; back <= 4 && back <= pos; ++back) {
        const size_t start = pos - back;
        if (IsContinuation(p[start]))
            continue;
        size_t length = 0;
        DecodeAt(text, start, &length);
        if (length == back)
            return start;
        break;
    }
    return pos - 1;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t SimpleLower(char32_t c) {
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x178)
            return 0xFF;
        if ((c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
            return (c % 2 == 0) ? c + 1 : c;
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c % 2 == 1) ? c + 1 : c;
        return c;
    }
    if (c >= 0x386 && c <= 0x3AB) {
        if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
            return c + 32;
        if (c == 0x386)
            return 0x3AC;
        if (c >= 0x388 && c <= 0x38A)
            return c + 37;
        if (c == 0x38C)
            return 0x3CC;
        if (c == 0x38E || c == 0x38F)
            return c + 63;
        return c;
    }
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    if (c >= 0x410 && c <= 0x42F)
        return c + 32;
    if (c >= 0xFF21 && c <= 0xFF3A)
        return c + 32;
    return c;
}

char32_t SimpleUpper(char32_t c) {
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') ? c - 32 : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return c - 32;
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        if ((c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
            return (c % 2 == 1) ? c - 1 : c;
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c % 2 == 0) ? c - 1 : c;
        return c;
    }
    if (c >= 0x3AC && c <= 0x3CE) {
        if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2)
            return c - 32;
        if (c == 0x3AC)
            return 0x386;
        if (c >= 0x3AD && c <= 0x3AF)
            return c - 37;
        if (c == 0x3CC)
            return 0x38C;
        if (c == 0x3CD || c == 0x3CE)
            return c - 63;
        return c;
    }
    if (c >= 0x430 && c <= 0x44F)
        return c - 32;
    if (c >= 0x450 && c <= 0x45F)
        return c - 80;
    if (c >= 0xFF41 && c <= 0xFF5A)
        return c - 32;
    return c;
}

bool IsDigitChar(char32_t c) {
    return c >= '0' && c <= '9';
}

bool IsWordChar(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigitChar(c) || c == '_';
}

bool IsSpaceChar(char32_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool CharClass::ContainsRaw(char32_t c) const {
    for (const auto& r : ranges) {
        if (c >= r.first && c <= r.second)
            return true;
    }
    if (digit && IsDigitChar(c))
        return true;
    if (notDigit && !IsDigitChar(c))
        return true;
    if (word && IsWordChar(c))
        return true;
    if (notWord && !IsWordChar(c))
        return true;
    if (space && IsSpaceChar(c))
        return true;
    if (notSpace && !IsSpaceChar(c))
        return true;
    return false;
}

}  // namespace hs::rx
