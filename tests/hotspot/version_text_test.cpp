// Version texts from the update page: only plain decimal numbers are versions.
#include "hotspot/version_text.h"

#include <gtest/gtest.h>

#include <string>

#include "hotspot/update_check.h"
#include "tests/hotspot/hotspot_support.h"

namespace hs::hotspot {
namespace {

TEST(VersionText, PlainDecimalNumbersAreVersions) {
    EXPECT_EQ(ParseVersionText("2"), 2.0);
    EXPECT_EQ(ParseVersionText("1.1"), 1.1);
    EXPECT_EQ(ParseVersionText("01.50"), 1.5);
    EXPECT_EQ(ParseVersionText(" \t1.2\r\n"), 1.2);
    // Many digits are still a finite number.
    EXPECT_EQ(ParseVersionText(std::string(30, '9')), 1e30);
}

TEST(VersionText, AnythingElseIsNoVersion) {
    for (const char* text : {"",      "  ",  "nan",   "NAN",  "inf",     "infinity", "1e400",
                             "1e2",   "0x2", "0X1p4", "+2",   "-1",      "1.",       ".5",
                             "1.2.3", "1,5", "1 2",   "v1.1", "1.1beta", "１.１",    "1.1\xE7"}) {
        EXPECT_FALSE(ParseVersionText(text).has_value()) << text;
    }
    // Digits beyond a double's range are refused, not taken as infinity.
    EXPECT_FALSE(ParseVersionText(std::string(400, '9')).has_value());
    EXPECT_FALSE(ParseVersionText(std::string("1\0"
                                              "5",
                                              3))
                     .has_value());
}

TEST(VersionText, OnlyALaterPlainVersionIsNewer) {
    EXPECT_TRUE(IsNewerVersion("1.1", "1.0"));
    EXPECT_TRUE(IsNewerVersion(" 2 ", "1.0"));
    EXPECT_TRUE(IsNewerVersion("1.0000002", "1.0"));
    EXPECT_FALSE(IsNewerVersion("1.0", "1.0"));
    EXPECT_FALSE(IsNewerVersion("1.00", "1.0"));
    EXPECT_FALSE(IsNewerVersion("0.9", "1.0"));
    EXPECT_FALSE(IsNewerVersion("1.00000001", "1.0"));  // within rounding
    const std::string huge(400, '9');
    for (const char* text : {"nan", "inf", "1e400", "0x2", "", "9e9", huge.c_str()})
        EXPECT_FALSE(IsNewerVersion(text, "1.0")) << text;
    EXPECT_FALSE(IsNewerVersion("2", "nan"));
}

// The update check itself: a page whose version is no plain number neither asks
// nor opens its address, while a plain later version still does.
TEST(VersionText, TheUpdateCheckAsksOnlyForAPlainLaterVersion) {
    for (const char* version : {"nan", "inf", "1e400", "0x2", "-2", "2.0.1"}) {
        SCOPED_TRACE(version);
        testing::Program p(
            "windows 7\nupstream 无线网络连接\npage /rjgx/lanz/lanzgx.html 【版本开始】" +
            std::string(version) +
            "【版本结束】【地址开始】http://127.0.0.1/new.exe【地址结束】\n");
        p.answer = 6;  // yes, were it asked
        EXPECT_FALSE(p.CheckForUpdate());
        EXPECT_TRUE(p.messages.empty());
        EXPECT_TRUE(p.laptop->Snapshot().openedUrls.empty());
        EXPECT_TRUE(p.quitCodes.empty());
    }
    testing::Program p(
        "windows 7\nupstream 无线网络连接\npage /rjgx/lanz/lanzgx.html 【版本开始】 1.2 "
        "【版本结束】【地址开始】http://127.0.0.1/new.exe【地址结束】\n");
    p.answer = 6;
    EXPECT_TRUE(p.CheckForUpdate());
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.laptop->Snapshot().openedUrls,
              (std::vector<std::string>{"http://127.0.0.1/new.exe"}));
}

}  // namespace
}  // namespace hs::hotspot
