// Marker and line operations on CR LF text.
#include "sys/text.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>
#include <vector>

#include "sys/regex.h"

namespace hs {

namespace {

const std::string kLineBreak = "\r\n";

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// Byte offset of `needle` in `text` at or after `from`; npos when absent or empty.
size_t Find(const std::string& text, const std::string& needle, size_t from, bool caseSensitive) {
    if (needle.empty() || from > text.size())
        return std::string::npos;
    return caseSensitive ? text.find(needle, from) : FindNoCase(text, needle, from);
}

void ReplaceExact(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

size_t StartOffset(int start) {
    return start < 1 ? 0 : static_cast<size_t>(start - 1);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t at = text.find(kLineBreak); at != std::string::npos;
         at = text.find(kLineBreak, from)) {
        lines.push_back(text.substr(from, at - from));
        from = at + kLineBreak.size();
    }
    lines.push_back(text.substr(from));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += kLineBreak;
        out += lines[i];
    }
    return out;
}

bool IsLine(const std::vector<std::string>& lines, int n) {
    return n >= 1 && static_cast<size_t>(n) <= lines.size();
}

}  // namespace

size_t FindNoCase(std::string_view text, std::string_view needle, size_t from) {
    if (needle.empty() || from > text.size())
        return std::string_view::npos;
    for (size_t at = from; at + needle.size() <= text.size(); ++at) {
        size_t i = 0;
        while (i < needle.size() && FoldAscii(text[at + i]) == FoldAscii(needle[i]))
            ++i;
        if (i == needle.size())
            return at;
    }
    return std::string_view::npos;
}

std::string TextBetween(std::string text, std::string left, std::string right, int start,
                        bool caseSensitive) {
    ReplaceExact(left, "#引号", "\"");
    ReplaceExact(right, "#引号", "\"");
    const size_t at = Find(text, left, StartOffset(start), caseSensitive);
    if (at == std::string::npos)
        return {};
    const size_t content = at + left.size();
    const size_t end = Find(text, right, content, caseSensitive);
    if (end == std::string::npos)
        return {};
    return text.substr(content, end - content);
}

std::string ReplaceMany(std::string text, int count, int start, bool caseSensitive,
                        std::initializer_list<ReplacePair> pairs) {
    for (const ReplacePair& pair : pairs) {
        if (pair.find.empty())
            continue;
        int done = 0;
        size_t at = Find(text, pair.find, StartOffset(start), caseSensitive);
        while (at != std::string::npos && (count < 0 || done < count)) {
            text.replace(at, pair.find.size(), pair.replacement);
            ++done;
            at = Find(text, pair.find, at + pair.replacement.size(), caseSensitive);
        }
    }
    return text;
}

std::string ReplaceMany(std::string text, std::initializer_list<ReplacePair> pairs) {
    return ReplaceMany(std::move(text), kReplaceAll, 1, false, pairs);
}

int FindLine(std::string text, std::string needle, bool caseSensitive) {
    const std::vector<std::string> lines = SplitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (Find(lines[i], needle, 0, caseSensitive) != std::string::npos) {
            return static_cast<int>(i + 1);
        }
    }
    return 0;
}

std::string GetLine(std::string text, int n) {
    const std::vector<std::string> lines = SplitLines(text);
    return IsLine(lines, n) ? lines[n - 1] : std::string();
}

std::string SetLine(std::string text, int n, std::string line) {
    std::vector<std::string> lines = SplitLines(text);
    if (!IsLine(lines, n))
        return text;
    lines[n - 1] = std::move(line);
    return JoinLines(lines);
}

std::string PrefixLine(std::string text, int n, std::string prefix) {
    std::vector<std::string> lines = SplitLines(text);
    if (!IsLine(lines, n))
        return text;
    lines[n - 1] = prefix + lines[n - 1];
    return JoinLines(lines);
}

std::string DeleteLine(std::string text, int n) {
    std::string split = text;
    if (split.find(kLineBreak) == std::string::npos)
        split += kLineBreak;
    std::vector<std::string> lines = SplitLines(split);
    if (!IsLine(lines, n))
        return text;
    lines.erase(lines.begin() + (n - 1));
    return JoinLines(lines);
}

std::string RemoveBlankLines(std::string text, bool /*initialiseCom*/) {
    if (text.compare(0, kLineBreak.size(), kLineBreak) == 0)
        text.erase(0, kLineBreak.size());
    if (text.size() >= kLineBreak.size() &&
        text.compare(text.size() - kLineBreak.size(), kLineBreak.size(), kLineBreak) == 0) {
        text.erase(text.size() - kLineBreak.size());
    }
    RegexObject blank;
    blank.Create("\\n\\s*\\r", text);
    return blank.Replace("");
}

int CountOccurrences(std::string text, std::string needle, bool caseSensitive) {
    if (needle.empty())
        return 0;
    // The backslash first, so that the backslashes added after it stay single.
    static const char* const kSpecial[] = {"\\", "(", ")", "{", "[", "]", "?",
                                           ".",  "|", "+", "*", "^", "$"};
    for (const char* special : kSpecial)
        ReplaceExact(needle, special, std::string("\\") + special);
    RegexObject occurrences;
    if (!occurrences.Create(needle, text, caseSensitive, true, true))
        return 0;
    return occurrences.MatchCount();
}

bool IsWebAddress(const std::string& address) {
    size_t scheme = 0;
    for (const char* prefix : {"http://", "https://"}) {
        const std::string_view p(prefix);
        if (address.size() >= p.size() &&
            std::equal(p.begin(), p.end(), address.begin(), [](char a, char b) {
                return a == std::tolower(static_cast<unsigned char>(b));
            })) {
            scheme = p.size();
            break;
        }
    }
    if (scheme == 0)
        return false;
    // There must be a host name right after the scheme.
    if (address.size() == scheme || address[scheme] == '/' || address[scheme] == '\\')
        return false;
    for (unsigned char c : address) {
        if (c <= 0x20 || c == 0x7F || c == '"')
            return false;
    }
    return true;
}

size_t CharacterCount(const std::string& utf8) {
    size_t count = 0;
    for (char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

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

}  // namespace hs
