#include "join/join_text.h"

namespace hs::join {

std::string EscapeJoinField(std::string_view field) {
    std::string out;
    out.reserve(field.size() + 8);
    for (char c : field) {
        if (c == '\\' || c == ';' || c == ',' || c == ':' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out;
}

std::string JoinText(std::string_view ssid, std::string_view key) {
    std::string text = "WIFI:T:WPA;S:";
    text += EscapeJoinField(ssid);
    text += ";P:";
    text += EscapeJoinField(key);
    text += ";;";
    return text;
}

}  // namespace hs::join
