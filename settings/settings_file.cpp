#include "settings/settings_file.h"

#include <cstdint>
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

// ASCII text reads the same in GBK and UTF-8; only other text needs the codec, whose
// conversions cost far more than the parsing itself.
bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

std::string FromGbk(TextCodec& codec, std::string_view gbk) {
    return IsAscii(gbk) ? std::string(gbk) : codec.GbkToUtf8(gbk);
}

std::string ToGbk(TextCodec& codec, std::string_view utf8) {
    return IsAscii(utf8) ? std::string(utf8) : codec.Utf8ToGbk(utf8);
}

enum class LineKind { Other, Section, Key };

// One line of the file: where it lies in the bytes and what it says.
struct Line {
    size_t begin = 0;       // first byte
    size_t contentEnd = 0;  // end of the text, before CR LF, LF or a final bare CR
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
            FromGbk(codec, bytes.substr(line.begin, line.contentEnd - line.begin));
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

// A file that starts with the UTF-16 little-endian byte-order mark holds UTF-16 text,
// as Notepad saves "Unicode"; the system's profile functions read and write such a
// file in UTF-16, and so do we. Anything else is GBK.
constexpr std::string_view kUtf16Mark("\xFF\xFE", 2);

bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with(kUtf16Mark);
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16 LE units (whole pairs of bytes) to UTF-8. A surrogate without its partner is
// kept as a three-byte sequence of its own, so that the text converts back to the very
// same bytes.
std::string Utf16ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](size_t i) {
        return static_cast<uint32_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const uint32_t first = unit(i);
        if (first >= 0xD800 && first < 0xDC00 && i + 3 < bytes.size()) {
            const uint32_t second = unit(i + 2);
            if (second >= 0xDC00 && second < 0xE000) {
                AppendUtf8(out, 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, first);
    }
    return out;
}

void AppendUtf16(std::string& out, uint32_t code) {
    auto unit = [&](uint32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    };
    if (code >= 0x10000) {
        unit(0xD800 + ((code - 0x10000) >> 10));
        unit(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
        unit(code);
    }
}

// UTF-8 (with lone surrogates as Utf16ToUtf8 makes them) to UTF-16 LE; a byte that
// starts no valid sequence becomes U+FFFD.
std::string Utf8ToUtf16(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    size_t i = 0;
    while (i < text.size()) {
        const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
        const unsigned char lead = byte(i);
        size_t length = 0;
        uint32_t code = 0;
        uint32_t least = 0;
        if (lead < 0x80) {
            length = 1;
            code = lead;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            length = 2;
            code = lead & 0x1F;
            least = 0x80;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            length = 3;
            code = lead & 0x0F;
            least = 0x800;
        } else if (lead >= 0xF0 && lead < 0xF5) {
            length = 4;
            code = lead & 0x07;
            least = 0x10000;
        }
        bool valid = length > 0 && i + length <= text.size();
        for (size_t k = 1; valid && k < length; ++k) {
            valid = (byte(i + k) & 0xC0) == 0x80;
            code = (code << 6) | (byte(i + k) & 0x3F);
        }
        if (valid && (code < least || code > 0x10FFFF))
            valid = false;
        if (!valid) {
            AppendUtf16(out, 0xFFFD);
            ++i;
            continue;
        }
        AppendUtf16(out, code);
        i += length;
    }
    return out;
}

// The text of a UTF-16 file is parsed as UTF-8, where names and values are already
// what the caller speaks.
class SameText : public TextCodec {
  public:
    std::string GbkToUtf8(std::string_view text) override { return std::string(text); }
    std::string Utf8ToGbk(std::string_view text) override { return std::string(text); }
};

// The bytes that end `line`: "\r\n", "\n", a bare "\r" at the end of the file, or none.
std::string_view LineEnd(std::string_view bytes, const Line& line) {
    return bytes.substr(line.contentEnd, line.end - line.contentEnd);
}

// What must follow `ending` so that the next text starts on a line of its own.
std::string_view CompleteLineEnd(std::string_view ending) {
    if (ending.empty())
        return "\r\n";
    if (ending == "\r")
        return "\n";
    return "";
}

std::string GetInText(TextCodec& codec, std::string_view fileBytes, std::string_view section,
                      std::string_view key, std::string_view defaultValue) {
    const std::vector<Line> lines = ParseLines(codec, fileBytes);
    const int header = FindSection(lines, section);
    if (header < 0)
        return std::string(defaultValue);
    const int found = FindKey(lines, header, key);
    if (found < 0)
        return std::string(defaultValue);
    return StripQuotes(lines[static_cast<size_t>(found)].value);
}

// "key=value" and CR LF, in the file's bytes. (Built by appending: chains of "+" here
// trip a false -Wrestrict in GCC 12.)
std::string KeyLine(TextCodec& codec, std::string_view key, std::string_view fileValue) {
    std::string line = ToGbk(codec, key);
    line += '=';
    line += fileValue;
    line += "\r\n";
    return line;
}

void SetInText(TextCodec& codec, std::string& fileBytes, std::string_view section,
               std::string_view key, std::string_view value) {
    const std::vector<Line> lines = ParseLines(codec, fileBytes);
    const std::string gbkValue = ToGbk(codec, value);
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
            return;
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
        std::string insert(CompleteLineEnd(LineEnd(fileBytes, after)));
        insert += KeyLine(codec, key, gbkValue);
        fileBytes.insert(after.end, insert);
        return;
    }
    std::string append;
    if (!lines.empty())
        append = CompleteLineEnd(LineEnd(fileBytes, lines.back()));
    append += '[';
    append += ToGbk(codec, section);
    append += "]\r\n";
    append += KeyLine(codec, key, gbkValue);
    fileBytes += append;
}

}  // namespace

std::string ProfileGet(TextCodec& codec, std::string_view fileBytes, std::string_view section,
                       std::string_view key, std::string_view defaultValue) {
    section = Trim(section);
    key = Trim(key);
    if (key.empty())
        return std::string(defaultValue);
    if (IsUtf16(fileBytes)) {
        SameText same;
        const size_t units = (fileBytes.size() - kUtf16Mark.size()) / 2;
        const std::string text = Utf16ToUtf8(fileBytes.substr(kUtf16Mark.size(), units * 2));
        return GetInText(same, text, section, key, defaultValue);
    }
    return GetInText(codec, fileBytes, section, key, defaultValue);
}

bool ProfileSet(TextCodec& codec, std::string& fileBytes, std::string_view section,
                std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    // A key starting with "[" would read back as a section line.
    if (section.empty() || key.empty() || key.front() == '[' || key.find('=') != key.npos ||
        HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) {
        return false;
    }
    if (IsUtf16(fileBytes)) {
        // A stray last byte (an odd file length) is no unit of text; it stays at the end.
        SameText same;
        const size_t units = (fileBytes.size() - kUtf16Mark.size()) / 2;
        const size_t textEnd = kUtf16Mark.size() + units * 2;
        std::string text =
            Utf16ToUtf8(std::string_view(fileBytes).substr(kUtf16Mark.size(), units * 2));
        SetInText(same, text, section, key, value);
        fileBytes = std::string(kUtf16Mark) + Utf8ToUtf16(text) + fileBytes.substr(textEnd);
        return true;
    }
    SetInText(codec, fileBytes, section, key, value);
    return true;
}

std::string ReadProfileValue(Host& host, const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue) {
    std::string bytes;
    if (host.files == nullptr || host.codec == nullptr ||
        host.files->Read(path, bytes) != FileRead::Ok) {
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
    switch (host.files->Read(path, bytes)) {
        case FileRead::Ok:
            break;
        case FileRead::Missing:
            bytes.clear();
            break;
        case FileRead::Failed:
            // The file is there but we do not know what it holds: writing one key into
            // an empty text would throw away everything else in it.
            return false;
    }
    const std::string before = bytes;
    if (!ProfileSet(*host.codec, bytes, section, key, value))
        return false;
    if (bytes == before)
        return true;  // the key already holds the value
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
