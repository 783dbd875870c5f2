// The Windows codec against the system's own code-page conversion under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/native_codec.h"

namespace hs {
namespace {

// UTF-8 to code page 936 straight through the system, for well-formed text.
std::string SystemGbk(const std::string& utf8) {
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                          static_cast<int>(utf8.size()), nullptr, 0);
    EXPECT_GT(units, 0) << "not well-formed: " << utf8;
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
    const int bytes = WideCharToMultiByte(936, 0, wide.data(), units, nullptr, 0, "?", nullptr);
    std::string gbk(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(936, 0, wide.data(), units, gbk.data(), bytes, "?", nullptr);
    return gbk;
}

TEST(WindowsCodec, WellFormedTextConvertsAsTheSystemConvertsIt) {
    auto codec = MakeNativeCodec();
    // Characters GBK holds go there and back; the others ("ÄÖ") become "?" as the
    // system makes them.
    for (const std::string text : {"无线网络连接 2", "接口: 192.168.137.1 --- 0xb\r\n",
                                   "ascii only", "ПРИВЕТ ａｂ", "ÄÖ 本地"}) {
        EXPECT_EQ(codec->Utf8ToGbk(text), SystemGbk(text)) << text;
    }
    for (const std::string text : {"无线网络连接 2", "ПРИВЕТ ａｂ"})
        EXPECT_EQ(codec->GbkToUtf8(codec->Utf8ToGbk(text)), text) << text;
    EXPECT_EQ(codec->Utf8ToGbk("ÄÖ"), "??");
}

TEST(WindowsCodec, ABrokenSequenceIsOneQuestionMarkBetweenTheSystemsConversions) {
    auto codec = MakeNativeCodec();
    // A lead byte followed by ASCII: the ASCII stays.
    EXPECT_EQ(codec->Utf8ToGbk("\xE7\x32 "), "?2 ");
    // A Chinese character cut short between two whole ones.
    const std::string before = "本地";
    const std::string after = "连接";
    EXPECT_EQ(codec->Utf8ToGbk(before + "\xE8\xBF" + after),
              SystemGbk(before) + "?" + SystemGbk(after));
    // An encoded surrogate and a byte that never starts a character.
    EXPECT_EQ(codec->Utf8ToGbk("a\xED\xA0\x80\xFF" + after), "a????" + SystemGbk(after));
    // A character beyond the Basic Multilingual Plane is one "?", not one per unit.
    EXPECT_EQ(codec->Utf8ToGbk("a\xF0\x9F\x98\x80z"), "a?z");
}

}  // namespace
}  // namespace hs
