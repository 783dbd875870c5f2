#include "platform/windows/ui/mini_html.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string_view>

namespace hs::win::ui {
namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Appends `cp`, a Unicode scalar value (not 0, not a surrogate, at most U+10FFFF).
void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The value of a numeric reference's digits ("20320", "x597D"), or nothing when
// they are not digits. A value past Unicode's range saturates at 0x110000.
std::optional<uint32_t> NumericReference(std::string_view digits) {
    const bool hex = !digits.empty() && (digits[0] == 'x');
    if (hex)
        digits.remove_prefix(1);
    if (digits.empty())
        return std::nullopt;
    uint32_t cp = 0;
    for (const char c : digits) {
        const auto u = static_cast<unsigned char>(c);
        int digit = -1;
        if (std::isdigit(u))
            digit = c - '0';
        else if (hex && std::isxdigit(u))
            digit = std::tolower(u) - 'a' + 10;
        if (digit < 0)
            return std::nullopt;
        cp = std::min<uint32_t>(cp * (hex ? 16 : 10) + static_cast<uint32_t>(digit), 0x110000);
    }
    return cp;
}

// Decodes one entity starting at html[i] == '&'; advances i past it. A numeric
// reference to NUL, to a surrogate or past U+10FFFF stands for no character and is
// dropped, so the markup never holds a NUL or bytes that are not UTF-8.
std::string Entity(const std::string& html, size_t& i) {
    const size_t semi = html.find(';', i);
    if (semi == std::string::npos || semi - i > 10) {
        ++i;
        return "&";
    }
    const std::string name = Lower(std::string_view(html).substr(i + 1, semi - i - 1));
    std::string out;
    if (name == "amp") {
        out = "&";
    } else if (name == "lt") {
        out = "<";
    } else if (name == "gt") {
        out = ">";
    } else if (name == "quot") {
        out = "\"";
    } else if (name == "nbsp") {
        out = " ";
    } else if (!name.empty() && name[0] == '#') {
        const std::optional<uint32_t> cp = NumericReference(std::string_view(name).substr(1));
        if (!cp) {
            ++i;
            return "&";
        }
        const bool scalar = *cp != 0 && (*cp < 0xD800 || *cp > 0xDFFF) && *cp <= 0x10FFFF;
        if (scalar)
            AppendUtf8(out, *cp);
    } else {
        ++i;
        return "&";
    }
    i = semi + 1;
    return out;
}

// The value of attribute `attr` in a tag's inside text ("a msg=m7 href='x'").
std::string Attribute(const std::string& tag, const std::string& attr) {
    const std::string lower = Lower(tag);
    size_t pos = 0;
    while ((pos = lower.find(attr, pos)) != std::string::npos) {
        const bool startOk = pos > 0 && std::isspace(static_cast<unsigned char>(lower[pos - 1]));
        size_t k = pos + attr.size();
        while (k < lower.size() && lower[k] == ' ')
            ++k;
        if (!startOk || k >= lower.size() || lower[k] != '=') {
            pos += attr.size();
            continue;
        }
        ++k;
        while (k < lower.size() && lower[k] == ' ')
            ++k;
        if (k < tag.size() && (tag[k] == '"' || tag[k] == '\'')) {
            const char quote = tag[k];
            const size_t end = tag.find(quote, k + 1);
            return tag.substr(k + 1, end == std::string::npos ? std::string::npos : end - k - 1);
        }
        size_t end = k;
        while (end < tag.size() && !std::isspace(static_cast<unsigned char>(tag[end])) &&
               tag[end] != '>' && tag[end] != '/') {
            ++end;
        }
        return tag.substr(k, end - k);
    }
    return "";
}

// Escapes text so SysLink shows it literally: it only parses <a ...> and </a>.
std::string Literal(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '<') {
            out += "<\xE2\x80\x8B";  // a zero-width space keeps "<a" from reading as a tag
        } else {
            out += c;
        }
    }
    return out;
}

bool IsBlock(const std::string& name) {
    static const char* const kBlocks[] = {"br", "p",  "div", "h1", "h2", "h3", "h4",
                                          "h5", "h6", "li",  "ul", "ol", "tr", "table"};
    for (const char* b : kBlocks) {
        if (name == b)
            return true;
    }
    return false;
}

}  // namespace

std::string HtmlToLinkMarkup(const std::string& html) {
    std::string out;
    std::string skipUntil;  // a closing tag whose contents are dropped
    bool inLink = false;
    bool pendingSpace = false;
    auto lineBreak = [&] {
        pendingSpace = false;
        if (!out.empty() && out.back() != '\n')
            out += '\n';
    };
    auto text = [&](const std::string& t) {
        if (t.empty())
            return;
        if (pendingSpace && !out.empty() && out.back() != '\n')
            out += ' ';
        pendingSpace = false;
        out += Literal(t);
    };
    size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<') {
            const size_t close = html.find('>', i);
            if (close == std::string::npos)
                break;
            std::string inside = html.substr(i + 1, close - i - 1);
            i = close + 1;
            const bool closing = !inside.empty() && inside[0] == '/';
            std::string body = closing ? inside.substr(1) : inside;
            size_t nameEnd = 0;
            while (nameEnd < body.size() &&
                   std::isalnum(static_cast<unsigned char>(body[nameEnd]))) {
                ++nameEnd;
            }
            const std::string name = Lower(body.substr(0, nameEnd));
            if (!skipUntil.empty()) {
                if (closing && name == skipUntil)
                    skipUntil.clear();
                continue;
            }
            if (!closing &&
                (name == "head" || name == "style" || name == "script" || name == "title")) {
                skipUntil = name;
            } else if (name == "a") {
                if (closing) {
                    // Padding at the end of a link's text stays inside the link.
                    if (inLink && pendingSpace)
                        out += ' ';
                    if (inLink)
                        pendingSpace = false;
                    if (inLink)
                        out += "</a>";
                    inLink = false;
                } else {
                    if (inLink)
                        out += "</a>";
                    std::string target = Attribute(body, "msg");
                    if (target.empty())
                        target = Attribute(body, "href");
                    if (pendingSpace && !out.empty() && out.back() != '\n')
                        out += ' ';
                    pendingSpace = false;
                    std::string quotedTarget;
                    for (char t : target) {
                        if (t != '"' && t != '<' && t != '>')
                            quotedTarget += t;
                    }
                    out += "<a href=\"" + quotedTarget + "\">";
                    inLink = true;
                }
            } else if (IsBlock(name)) {
                lineBreak();
            }
            continue;
        }
        if (!skipUntil.empty()) {
            ++i;
            continue;
        }
        if (std::isspace(static_cast<unsigned char>(c))) {
            pendingSpace = true;
            ++i;
            continue;
        }
        std::string run;
        while (i < html.size() && html[i] != '<' &&
               !std::isspace(static_cast<unsigned char>(html[i]))) {
            if (html[i] == '&') {
                run += Entity(html, i);
            } else {
                run += html[i++];
            }
        }
        text(run);
    }
    if (inLink)
        out += "</a>";
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

}  // namespace hs::win::ui
