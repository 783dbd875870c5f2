#include "settings/settings_file.h"

#include <mutex>
#include <vector>

namespace hs::settings {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names are compared as the system compares them for ASCII letters; Chinese
// characters have no case and compare as they are.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

enum class LineKind { Other, Section, Key };

// One line of the file: where it lies in the bytes and what it says.
struct Line {
    size_t begin = 0;       // first byte
    size_t contentEnd = 0;  // end of the text, before CR LF / LF
    size_t end = 0;         // first byte of the next line
    LineKind kind = LineKind::Other;
    std::string name;   // section or key name, UTF-8
    std::string value;  // key value, UTF-8, blanks trimmed
    bool blank = true;  // nothing but blanks
};

// Splits the bytes into lines and parses each. GBK trail bytes never take the values
// of LF or CR, so the split is safe on the raw bytes; names and values are parsed on
// the decoded text, because trail bytes can take the values of "[", "]" and letters.
std::vector<Line> ParseLines(TextCodec& codec, std::string_view bytes) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        Line line;
        line.begin = pos;
        const size_t lf = bytes.find('\n', pos);
        line.end = lf == std::string_view::npos ? bytes.size() : lf + 1;
        line.contentEnd = lf == std::string_view::npos ? bytes.size() : lf;
        if (line.contentEnd > line.begin && bytes[line.contentEnd - 1] == '\r')
            --line.contentEnd;
        pos = line.end;

        const std::string text =
            codec.GbkToUtf8(bytes.substr(line.begin, line.contentEnd - line.begin));
        const std::string_view content = Trim(text);
        line.blank = content.empty();
        if (!content.empty() && content.front() == '[' && content.find(']') != std::string::npos) {
            line.kind = LineKind::Section;
            const size_t close = content.rfind(']');
            line.name = std::string(content.substr(1, close - 1));
        } else if (const size_t eq = content.find('='); eq != std::string_view::npos) {
            line.kind = LineKind::Key;
            line.name = std::string(Trim(content.substr(0, eq)));
            line.value = std::string(Trim(content.substr(eq + 1)));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// The index of the first line of the first section named `section`, or -1. The
// section's keys follow it up to the next section line.
int FindSection(const std::vector<Line>& lines, std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == LineKind::Section && SameName(lines[i].name, section)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The index of the first line after the section header `header` that starts the next
// section, or the number of lines.
size_t SectionEnd(const std::vector<Line>& lines, int header) {
    size_t i = static_cast<size_t>(header) + 1;
    while (i < lines.size() && lines[i].kind != LineKind::Section)
        ++i;
    return i;
}

int FindKey(const std::vector<Line>& lines, int header, std::string_view key) {
    const size_t end = SectionEnd(lines, header);
    for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
        if (lines[i].kind == LineKind::Key && SameName(lines[i].name, key)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// A value enclosed in one pair of matching quotes is returned without them.
std::string StripQuotes(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != text.npos;
}

// Serialises read-modify-write cycles of this process, so two threads writing
// different keys at once never lose one of them.
std::mutex& WriteMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

std::string ProfileGet(TextCodec& codec, std::string_view fileBytes, std::string_view section,
                       std::string_view key, std::string_view defaultValue) {
    section = Trim(section);
    key = Trim(key);
    if (key.empty())
        return std::string(defaultValue);
    const std::vector<Line> lines = ParseLines(codec, fileBytes);
    const int header = FindSection(lines, section);
    if (header < 0)
        return std::string(defaultValue);
    const int found = FindKey(lines, header, key);
    if (found < 0)
        return std::string(defaultValue);
    return StripQuotes(lines[static_cast<size_t>(found)].value);
}

bool ProfileSet(TextCodec& codec, std::string& fileBytes, std::string_view section,
                std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || key.empty() || key.find('=') != key.npos || HasLineBreak(section) ||
        HasLineBreak(key) || HasLineBreak(value)) {
        return false;
    }
    const std::vector<Line> lines = ParseLines(codec, fileBytes);
    const std::string gbkValue = codec.Utf8ToGbk(value);
    const int header = FindSection(lines, section);
    if (header >= 0) {
        const int found = FindKey(lines, header, key);
        if (found >= 0) {
            // The key keeps its own spelling and its line end; only the value changes.
            // "=" is never a GBK trail byte, so the raw bytes can be cut at it.
            const Line& line = lines[static_cast<size_t>(found)];
            const std::string_view raw =
                std::string_view(fileBytes).substr(line.begin, line.contentEnd - line.begin);
            const std::string text =
                std::string(Trim(raw.substr(0, raw.find('=')))) + "=" + gbkValue;
            fileBytes.replace(line.begin, line.contentEnd - line.begin, text);
            return true;
        }
        // A new key goes after the section's last line with content, before any blank
        // lines that separate it from the next section.
        size_t last = static_cast<size_t>(header);
        const size_t end = SectionEnd(lines, header);
        for (size_t i = last + 1; i < end; ++i) {
            if (!lines[i].blank)
                last = i;
        }
        const Line& after = lines[last];
        std::string insert = codec.Utf8ToGbk(key) + "=" + gbkValue + "\r\n";
        if (after.end == after.contentEnd)
            insert = "\r\n" + insert;  // last line had no end
        fileBytes.insert(after.end, insert);
        return true;
    }
    std::string append;
    if (!fileBytes.empty() && fileBytes.back() != '\n')
        append = "\r\n";
    append +=
        "[" + codec.Utf8ToGbk(section) + "]\r\n" + codec.Utf8ToGbk(key) + "=" + gbkValue + "\r\n";
    fileBytes += append;
    return true;
}

std::string ReadProfileValue(Host& host, const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue) {
    std::string bytes;
    if (host.files == nullptr || host.codec == nullptr || !host.files->Read(path, bytes)) {
        return std::string(defaultValue);
    }
    return ProfileGet(*host.codec, bytes, section, key, defaultValue);
}

bool WriteProfileValue(Host& host, const std::string& path, std::string_view section,
                       std::string_view key, std::string_view value) {
    if (host.files == nullptr || host.codec == nullptr)
        return false;
    std::lock_guard<std::mutex> lock(WriteMutex());
    std::string bytes;
    if (!host.files->Read(path, bytes))
        bytes.clear();
    if (!ProfileSet(*host.codec, bytes, section, key, value))
        return false;
    return host.files->Write(path, bytes);
}

std::string ReadSetting(Host& host, std::string_view section, std::string_view key,
                        std::string_view defaultValue) {
    return ReadProfileValue(host, kSettingsPath, section, key, defaultValue);
}

bool WriteSetting(Host& host, std::string_view section, std::string_view key,
                  std::string_view value) {
    return WriteProfileValue(host, kSettingsPath, section, key, value);
}

int SettingToInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Only the integer part matters: a fraction is truncated away.
    long long magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > kSettingNumberLimit)
            magnitude = kSettingNumberLimit;
        ++i;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace hs::settings
