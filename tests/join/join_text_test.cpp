#include "join/join_text.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace hs::join {
namespace {

// Reads a join text back the way a phone does: fields split at unescaped ';', the
// field name before the first ':', a backslash taking the next character as it is.
std::map<std::string, std::string> ReadJoinText(const std::string& text) {
    std::map<std::string, std::string> fields;
    const std::string prefix = "WIFI:";
    if (text.compare(0, prefix.size(), prefix) != 0 || text.size() < prefix.size() + 2 ||
        text.compare(text.size() - 2, 2, ";;") != 0) {
        return fields;
    }
    std::string name;
    std::string value;
    bool in_value = false;
    for (size_t i = prefix.size(); i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            (in_value ? value : name) += text[++i];
        } else if (c == ';') {
            if (!name.empty()) {
                fields[name] = value;
            }
            name.clear();
            value.clear();
            in_value = false;
        } else if (c == ':' && !in_value) {
            in_value = true;
        } else {
            (in_value ? value : name) += c;
        }
    }
    return fields;
}

TEST(JoinText, PlainSsidAndKey) {
    EXPECT_EQ(JoinText("MyHotspot", "12345678"), "WIFI:T:WPA;S:MyHotspot;P:12345678;;");
}

TEST(JoinText, EscapesEachSpecialCharacterInBothFields) {
    EXPECT_EQ(JoinText("a;b", "c;d"), "WIFI:T:WPA;S:a\\;b;P:c\\;d;;");
    EXPECT_EQ(JoinText("a:b", "c:d"), "WIFI:T:WPA;S:a\\:b;P:c\\:d;;");
    EXPECT_EQ(JoinText("a\\b", "c\\d"), "WIFI:T:WPA;S:a\\\\b;P:c\\\\d;;");
    EXPECT_EQ(JoinText("a\"b", "c\"d"), "WIFI:T:WPA;S:a\\\"b;P:c\\\"d;;");
    EXPECT_EQ(JoinText("a,b", "c,d"), "WIFI:T:WPA;S:a\\,b;P:c\\,d;;");
    // A backslash is escaped once, never again for the backslash added before it.
    EXPECT_EQ(EscapeJoinField("\\;"), "\\\\\\;");
    // Other punctuation is left alone.
    EXPECT_EQ(EscapeJoinField("!#$%&'()*+-./<=>?@[]^_`{|}~"), "!#$%&'()*+-./<=>?@[]^_`{|}~");
}

TEST(JoinText, KeepsSpacesAndChineseExactly) {
    EXPECT_EQ(JoinText(" my hotspot ", "pass word  "), "WIFI:T:WPA;S: my hotspot ;P:pass word  ;;");
    EXPECT_EQ(JoinText("我的热点", "密码：一二三四"), "WIFI:T:WPA;S:我的热点;P:密码：一二三四;;");
    // A full-width colon is not the field separator and is kept as its UTF-8 bytes.
    EXPECT_EQ(EscapeJoinField("\xEF\xBC\x9A"), "\xEF\xBC\x9A");
}

TEST(JoinText, MaximumLengths) {
    const std::string ssid(32, 's');
    const std::string key(63, 'k');
    const std::string text = JoinText(ssid, key);
    EXPECT_EQ(text, "WIFI:T:WPA;S:" + ssid + ";P:" + key + ";;");
    EXPECT_EQ(text.size(), 13u + 32u + 3u + 63u + 2u);

    // Every character special: each one doubles.
    const std::string special_ssid = std::string(16, ';') + std::string(16, '\\');
    const std::string special_key =
        std::string(21, ':') + std::string(21, '"') + std::string(21, ',');
    EXPECT_EQ(JoinText(special_ssid, special_key).size(), 13u + 64u + 3u + 126u + 2u);
}

TEST(JoinText, FieldsReadBackExactly) {
    const std::pair<std::string, std::string> cases[] = {
        {"MyHotspot", "12345678"},
        {"a;b:c\\d\"e,f", "g;h:i\\j\"k,l"},
        {"ends in a backslash\\", "\\"},
        {";;", "P:;;"},
        {"WIFI:T:WPA;S:x;;", "S:y;P:z;;"},
        {" 我的 热点 ", "密码 one;two"},
        {std::string(32, '\\'), std::string(63, ';')},
    };
    for (const auto& [ssid, key] : cases) {
        const auto fields = ReadJoinText(JoinText(ssid, key));
        ASSERT_EQ(fields.size(), 3u) << JoinText(ssid, key);
        EXPECT_EQ(fields.at("T"), "WPA");
        EXPECT_EQ(fields.at("S"), ssid);
        EXPECT_EQ(fields.at("P"), key);
    }
}

}  // namespace
}  // namespace hs::join
