#include <gtest/gtest.h>

#include <filesystem>

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
    // An emoji has no GBK form: it becomes question marks (Windows writes one per
    // UTF-16 unit), never nothing.
    const std::string replaced = codec->Utf8ToGbk("a\xF0\x9F\x98\x80" "b");
    EXPECT_TRUE(replaced == "a?b" || replaced == "a??b") << replaced;
    const std::string back = codec->GbkToUtf8("a\x81");           // a lead byte cut off at the end
    EXPECT_EQ(back.substr(0, 1), "a");
    EXPECT_GT(back.size(), 1u);
}

TEST(DirectoryFiles, WritesWholeFilesAndReadsThemBack) {
    const auto folder = testing_support::FreshFolder("hs_files");
    sim::DirectoryFiles files(folder.string());
    std::string bytes;
    EXPECT_FALSE(files.Read("c:\\tulawifi.ini", bytes));
    ASSERT_TRUE(files.Write("c:\\tulawifi.ini", std::string("[user]\r\nssid=a\0b\r\n", 18)));
    ASSERT_TRUE(files.Read("c:\\tulawifi.ini", bytes));
    EXPECT_EQ(bytes, std::string("[user]\r\nssid=a\0b\r\n", 18));
    ASSERT_TRUE(files.Write("c:\\tulawifi.ini", "x"));
    ASSERT_TRUE(files.Read("c:\\tulawifi.ini", bytes));
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
