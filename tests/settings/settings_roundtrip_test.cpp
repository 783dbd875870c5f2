// Writing one key, over many generated settings files in GBK and in UTF-16: the key
// reads back, every other line keeps its bytes, every other key reads as before, and
// writing the same value again changes nothing.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/native_codec.h"
#include "settings/settings_file.h"

namespace hs::settings {
namespace {

// Few names, so that generated files repeat sections and keys in different cases.
const std::vector<std::string> kSections = {"user", "USER", "skin", "流量条", "1", "a b"};
const std::vector<std::string> kKeys = {"ssid", "SSID", "key", "color", "是否开", "k1", "xy"};
const std::vector<std::string> kValues = {"5802741639", "办公室",  "a=b",  "1000|700",
                                          "",           "带 空格", "x\"y", "监控"};
const std::vector<std::string> kEnds = {"\r\n", "\r\n", "\r\n", "\n"};

std::string Pick(std::mt19937& rng, const std::vector<std::string>& from) {
    return from[rng() % from.size()];
}

std::string Blanks(std::mt19937& rng) {
    static const std::vector<std::string> blanks = {"", "", "", " ", "\t", "  "};
    return Pick(rng, blanks);
}

// A settings file as a person or another program might leave it, as UTF-8 text.
std::string GenerateText(std::mt19937& rng) {
    std::string text;
    const int lines = static_cast<int>(rng() % 14);
    for (int i = 0; i < lines; ++i) {
        switch (rng() % 6) {
            case 0:
            case 1:
                text += Blanks(rng) + "[" + Pick(rng, kSections) + "]" + Blanks(rng);
                break;
            case 2:
            case 3:
                text += Blanks(rng) + Pick(rng, kKeys) + Blanks(rng) + "=" + Blanks(rng) +
                        Pick(rng, kValues);
                break;
            case 4:
                text += rng() % 2 ? "; 说明" : "";
                break;
            default:
                text += "no equals sign " + Pick(rng, kKeys);
                break;
        }
        text += (i + 1 == lines) ? (rng() % 3 == 0 ? ""
                                    : rng() % 2    ? "\r"
                                                   : "\r\n")
                                 : Pick(rng, kEnds);
    }
    return text;
}

// The generated texts hold only characters of the Basic Multilingual Plane.
std::u16string ToUtf16(const std::string& utf8) {
    std::u16string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto byte = [&](size_t k) { return static_cast<unsigned char>(utf8[k]); };
        if (byte(i) < 0x80) {
            out += static_cast<char16_t>(byte(i));
            i += 1;
        } else if (byte(i) < 0xE0) {
            out += static_cast<char16_t>(((byte(i) & 0x1F) << 6) | (byte(i + 1) & 0x3F));
            i += 2;
        } else {
            out += static_cast<char16_t>(((byte(i) & 0x0F) << 12) | ((byte(i + 1) & 0x3F) << 6) |
                                         (byte(i + 2) & 0x3F));
            i += 3;
        }
    }
    return out;
}

std::string Utf16File(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::u16string Utf16Text(const std::string& file) {
    std::u16string text;
    for (size_t i = 2; i + 1 < file.size(); i += 2) {
        text += static_cast<char16_t>(static_cast<unsigned char>(file[i]) |
                                      (static_cast<unsigned char>(file[i + 1]) << 8));
    }
    return text;
}

template <typename Text>
struct RawLine {
    Text content;
    Text end;  // "\r\n", "\n", a final "\r", or nothing
};

template <typename Text>
std::vector<RawLine<Text>> SplitRaw(const Text& text) {
    using Char = typename Text::value_type;
    std::vector<RawLine<Text>> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t lf = text.find(Char('\n'), pos);
        size_t end = lf == Text::npos ? text.size() : lf + 1;
        size_t contentEnd = lf == Text::npos ? text.size() : lf;
        if (contentEnd > pos && text[contentEnd - 1] == Char('\r'))
            --contentEnd;
        lines.push_back(
            {text.substr(pos, contentEnd - pos), text.substr(contentEnd, end - contentEnd)});
        pos = end;
    }
    return lines;
}

// Empty when `after` is `before` with one line's value replaced, or with one or two
// lines (a key, or a section and its key) inserted; the only other change allowed is
// the completion of the last line's end to CR LF. Otherwise what went wrong.
template <typename Text>
std::string CheckOnlyOneEdit(const Text& before, const Text& after) {
    using Char = typename Text::value_type;
    const auto old = SplitRaw(before);
    const auto now = SplitRaw(after);
    const Text crlf = {Char('\r'), Char('\n')};
    auto same = [&](size_t i, size_t j) {
        if (old[i].content != now[j].content)
            return false;
        if (old[i].end == now[j].end)
            return true;
        const bool lastOpen =
            i + 1 == old.size() &&
            (old[i].end.empty() || (old[i].end.size() == 1 && old[i].end[0] == Char('\r')));
        return lastOpen && now[j].end == crlf;
    };
    size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size() && same(prefix, prefix))
        ++prefix;
    size_t suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
           same(old.size() - 1 - suffix, now.size() - 1 - suffix)) {
        ++suffix;
    }
    const size_t removed = old.size() - prefix - suffix;
    const size_t added = now.size() - prefix - suffix;
    if (removed == 0 && added == 0)
        return "";  // the key already held the value
    if (removed > 1 || added > 2 || added == 0 || (removed == 1 && added != 1))
        return "lines changed: " + std::to_string(removed) + " old, " + std::to_string(added) +
               " new";
    for (size_t j = prefix; j < prefix + added; ++j) {
        if (removed == 0 && now[j].end != crlf)
            return "an added line does not end in CR LF";
    }
    if (removed == 1 && old[prefix].end != now[prefix].end)
        return "the replaced line lost its line end";
    return "";
}

class RoundTrip : public ::testing::Test {
  protected:
    // Writes `value` to `section`/`key` of `file` and checks every property; the
    // reason of the first one that does not hold, or empty.
    template <typename Decode>
    std::string WriteAndCheck(const std::string& file, Decode decode, const std::string& section,
                              const std::string& key, const std::string& value) {
        std::string written = file;
        if (!ProfileSet(*codec, written, section, key, value))
            return "the write was refused";
        if (ProfileGet(*codec, written, section, key, "<none>") != value)
            return "the key does not read back";
        if (std::string edit = CheckOnlyOneEdit(decode(file), decode(written)); !edit.empty())
            return edit;
        for (const std::string& otherSection : kSections) {
            for (const std::string& otherKey : kKeys) {
                if (Fold(otherSection) == Fold(section) && Fold(otherKey) == Fold(key))
                    continue;
                if (ProfileGet(*codec, file, otherSection, otherKey, "<none>") !=
                    ProfileGet(*codec, written, otherSection, otherKey, "<none>")) {
                    return "key " + otherSection + "/" + otherKey + " reads differently";
                }
            }
        }
        std::string again = written;
        if (!ProfileSet(*codec, again, section, key, value) || again != written)
            return "a second identical write changed the file";
        return "";
    }
    static std::string Fold(std::string text) {
        for (char& c : text) {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return text;
    }

    std::unique_ptr<TextCodec> codec = MakeNativeCodec();
};

TEST_F(RoundTrip, OverGeneratedGbkFiles) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 800; ++round) {
        const std::string text = GenerateText(rng);
        const std::string file = codec->Utf8ToGbk(text);
        const std::string section = Pick(rng, kSections);
        const std::string key = Pick(rng, kKeys);
        const std::string value = Pick(rng, kValues);
        const std::string failure = WriteAndCheck(
            file, [](const std::string& bytes) { return bytes; }, section, key, value);
        ASSERT_EQ(failure, "") << "round " << round << " writing " << section << "/" << key << "="
                               << value << " into:\n"
                               << text;
    }
}

TEST_F(RoundTrip, OverGeneratedUtf16Files) {
    std::mt19937 rng(4048);
    for (int round = 0; round < 800; ++round) {
        const std::string text = GenerateText(rng);
        const std::string file = Utf16File(ToUtf16(text));
        const std::string section = Pick(rng, kSections);
        const std::string key = Pick(rng, kKeys);
        const std::string value = Pick(rng, kValues);
        const std::string failure = WriteAndCheck(file, Utf16Text, section, key, value);
        ASSERT_EQ(failure, "") << "round " << round << " writing " << section << "/" << key << "="
                               << value << " into:\n"
                               << text;
    }
}

}  // namespace
}  // namespace hs::settings
