#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/native_codec.h"
#include "platform/sim/directory_files.h"
#include "tests/temp_folder.h"

namespace hs {
namespace {

TEST(Codec, GbkRoundTripsChineseAndAscii) {
    auto codec = MakeNativeCodec();
    const std::string text = "无线网络连接 2\r\n接口: 192.168.137.1 --- 0xb";
    const std::string gbk = codec->Utf8ToGbk(text);
    EXPECT_EQ(gbk.substr(0, 4), "\xCE\xDE\xCF\xDF");  // 无线 in GBK
    EXPECT_EQ(codec->GbkToUtf8(gbk), text);
    // Four Chinese characters are eight GBK bytes.
    EXPECT_EQ(codec->Utf8ToGbk("一二三四").size(), 8u);
}

TEST(Codec, UnconvertibleTextIsReplacedNotDropped) {
    auto codec = MakeNativeCodec();
    // An emoji has no GBK form: it becomes one question mark, never nothing.
    EXPECT_EQ(codec->Utf8ToGbk("a\xF0\x9F\x98\x80!"), "a?!");
    const std::string back = codec->GbkToUtf8("a\x81");  // a lead byte cut off at the end
    EXPECT_EQ(back.substr(0, 1), "a");
    EXPECT_GT(back.size(), 1u);
}

// Both builds' codecs: a broken sequence is one "?" and what follows it is kept.
TEST(Codec, IllFormedUtf8BecomesOneQuestionMarkAndTheRestIsKept) {
    auto codec = MakeNativeCodec();
    const std::string wu = "\xE6\x97\xA0";  // 无, in GBK "\xCE\xDE"
    const std::string cut = "\xE6\x97";     // the same cut short
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\xE7\x32 ", "?2 "},                              // a lead byte followed by ASCII
        {"a" + cut + "b", "a?b"},                          // a Chinese character cut short
        {cut + wu, "?\xCE\xDE"},                           // ... and a whole one after it
        {"x" + cut, "x?"},                                 // cut short at the end
        {"\x80\xBF", "??"},                                // stray continuation bytes
        {std::string("\xC0\xAF") + "a", "??a"},            // an overlong form
        {std::string("\xED\xA0\x80") + "a", "???a"},       // an encoded surrogate
        {"\xF4\x90\x80\x80", "????"},                      // past U+10FFFF
        {"\xF0\x9F\x98" + wu, "?\xCE\xDE"},                // an emoji cut short
        {"\xFF\xFE" + wu + "\xC3", "??\xCE\xDE?"},         // bytes that never start one
        {std::string("a\0b", 3), std::string("a\0b", 3)},  // NUL is a character
    };
    for (const auto& [utf8, gbk] : cases)
        EXPECT_EQ(codec->Utf8ToGbk(utf8), gbk) << utf8;
}

TEST(DirectoryFiles, WritesWholeFilesAndReadsThemBack) {
    const auto folder = testing_support::FreshFolder("hs_files");
    sim::DirectoryFiles files(folder.string());
    std::string bytes;
    EXPECT_EQ(files.Read("c:\\tulawifi.ini", bytes), FileRead::Missing);
    ASSERT_TRUE(files.Write("c:\\tulawifi.ini", std::string("[user]\r\nssid=a\0b\r\n", 18)));
    ASSERT_EQ(files.Read("c:\\tulawifi.ini", bytes), FileRead::Ok);
    EXPECT_EQ(bytes, std::string("[user]\r\nssid=a\0b\r\n", 18));
    ASSERT_TRUE(files.Write("c:\\tulawifi.ini", "x"));
    ASSERT_EQ(files.Read("c:\\tulawifi.ini", bytes), FileRead::Ok);
    EXPECT_EQ(bytes, "x");
    // Nothing but the target is left in the folder.
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace hs
