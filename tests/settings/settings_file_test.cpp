#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "platform/native_codec.h"
#include "platform/sim/directory_files.h"
#include "tests/temp_folder.h"

namespace hs::settings {
namespace {

class ProfileText : public ::testing::Test {
  protected:
    std::string Get(std::string_view bytes, std::string_view section, std::string_view key,
                    std::string_view fallback = "DEFAULT") {
        return ProfileGet(*codec, bytes, section, key, fallback);
    }
    std::unique_ptr<TextCodec> codec = MakeNativeCodec();
};

TEST_F(ProfileText, AbsentFileSectionOrKeyGiveTheDefault) {
    EXPECT_EQ(Get("", "user", "ssid", "mylove"), "mylove");
    EXPECT_EQ(Get("[user]\r\nssid=a\r\n", "skin", "color", "310"), "310");
    EXPECT_EQ(Get("[user]\r\nssid=a\r\n", "user", "key", ""), "");
    // A key line of another section does not count.
    EXPECT_EQ(Get("[user]\r\n[skin]\r\nssid=a\r\n", "user", "ssid"), "DEFAULT");
}

TEST_F(ProfileText, NamesMatchWithoutCaseAndTheFirstMatchWins) {
    const std::string file =
        "[USER]\r\nSsid=first\r\nssid=second\r\n[user]\r\nssid=third\r\nkey=only-here\r\n";
    EXPECT_EQ(Get(file, "user", "SSID"), "first");
    // Only the first section of a name is searched.
    EXPECT_EQ(Get(file, "user", "key"), "DEFAULT");
}

TEST_F(ProfileText, ValuesAreTrimmedAndLoseOnePairOfQuotes) {
    const std::string file =
        "  [skin]  \r\n \t color \t=  \t 42 \t \r\nq=\"quoted\"\r\ns=' single '\r\nh=\"half\r\n"
        "e=\r\nbare\r\n";
    EXPECT_EQ(Get(file, "skin", "color"), "42");
    EXPECT_EQ(Get(file, "skin", "q"), "quoted");
    EXPECT_EQ(Get(file, "skin", "s"), " single ");
    EXPECT_EQ(Get(file, "skin", "h"), "\"half");
    EXPECT_EQ(Get(file, "skin", "e"), "");
    // A line without "=" is no key.
    EXPECT_EQ(Get(file, "skin", "bare"), "DEFAULT");
}

TEST_F(ProfileText, LfOnlyLinesAndAMissingFinalLineEndAreRead) {
    EXPECT_EQ(Get("[a]\nx=1\ny=2", "a", "y"), "2");
    EXPECT_EQ(Get("[a]\r\nx=1", "a", "x"), "1");
}

TEST_F(ProfileText, ChineseSectionsAndKeysAreGbkOnDisk) {
    std::string file;
    ASSERT_TRUE(ProfileSet(*codec, file, "流量条", "是否开", "是"));
    EXPECT_EQ(file, "[\xC1\xF7\xC1\xBF\xCC\xF5]\r\n\xCA\xC7\xB7\xF1\xBF\xAA=\xCA\xC7\r\n");
    EXPECT_EQ(Get(file, "流量条", "是否开"), "是");
    ASSERT_TRUE(ProfileSet(*codec, file, "monitor", "monitor", "不监控"));
    EXPECT_EQ(Get(file, "monitor", "monitor"), "不监控");
}

TEST_F(ProfileText, GbkTrailBytesNeverPassForBracketsOrLetters) {
    // "乚" ends in the byte of "]", "嶽" in the byte of "["; "丄" and "乤" differ only in a
    // trail byte that reads as "A" versus "a".
    std::string file;
    ASSERT_TRUE(ProfileSet(*codec, file, "乚嶽", "丄", "upper"));
    ASSERT_TRUE(ProfileSet(*codec, file, "乚嶽", "乤", "lower"));
    EXPECT_EQ(Get(file, "乚嶽", "丄"), "upper");
    EXPECT_EQ(Get(file, "乚嶽", "乤"), "lower");
    EXPECT_EQ(Get(file, "乚", "丄"), "DEFAULT");
}

TEST_F(ProfileText, WritingCreatesTheFileSectionAndKey) {
    std::string file;
    ASSERT_TRUE(ProfileSet(*codec, file, "user", "ssid", "home"));
    EXPECT_EQ(file, "[user]\r\nssid=home\r\n");
    ASSERT_TRUE(ProfileSet(*codec, file, "skin", "color", "260"));
    EXPECT_EQ(file, "[user]\r\nssid=home\r\n[skin]\r\ncolor=260\r\n");
    // A new key joins the end of its own section, not the end of the file.
    ASSERT_TRUE(ProfileSet(*codec, file, "USER", "key", "12345678"));
    EXPECT_EQ(file, "[user]\r\nssid=home\r\nkey=12345678\r\n[skin]\r\ncolor=260\r\n");
}

TEST_F(ProfileText, ReplacingAValueKeepsEveryOtherByte) {
    std::string file =
        "; my notes\r\n[User]\r\n  SSID = old value \r\nkey=abc\n\r\n\r\n[skin]\r\ncolor=1";
    ASSERT_TRUE(ProfileSet(*codec, file, "user", "ssid", "新的"));
    EXPECT_EQ(
        file,
        "; my notes\r\n[User]\r\nSSID=\xD0\xC2\xB5\xC4\r\nkey=abc\n\r\n\r\n[skin]\r\ncolor=1");
    // A new key goes before the blank lines that close the section.
    ASSERT_TRUE(ProfileSet(*codec, file, "user", "mm", "1"));
    EXPECT_EQ(file,
              "; my notes\r\n[User]\r\nSSID=\xD0\xC2\xB5\xC4\r\nkey=abc\nmm=1\r\n\r\n\r\n[skin]\r\n"
              "color=1");
    // A last line without a line end gets one before the new key.
    ASSERT_TRUE(ProfileSet(*codec, file, "skin", "extra", "x"));
    EXPECT_TRUE(file.ends_with("[skin]\r\ncolor=1\r\nextra=x\r\n")) << file;
    // The same for a new section.
    std::string unterminated = "[a]\r\nx=1";
    ASSERT_TRUE(ProfileSet(*codec, unterminated, "b", "y", "2"));
    EXPECT_EQ(unterminated, "[a]\r\nx=1\r\n[b]\r\ny=2\r\n");
}

TEST_F(ProfileText, TextThatCannotBeOneLineIsRefused) {
    std::string file = "[user]\r\nssid=a\r\n";
    const std::string before = file;
    EXPECT_FALSE(ProfileSet(*codec, file, "user", "ssid", "evil\r\n[1]\r\n1=1"));
    EXPECT_FALSE(ProfileSet(*codec, file, "user", "a=b", "x"));
    EXPECT_FALSE(ProfileSet(*codec, file, "", "ssid", "x"));
    EXPECT_FALSE(ProfileSet(*codec, file, "user", "", "x"));
    EXPECT_FALSE(ProfileSet(*codec, file, "us\ner", "ssid", "x"));
    EXPECT_EQ(file, before);
}

TEST(SettingsFile, ReadsAndWritesThroughTheFileStore) {
    const auto folder = testing_support::FreshFolder("hs_settings");
    auto codec = MakeNativeCodec();
    sim::DirectoryFiles files(folder.string());
    Host host;
    host.codec = codec.get();
    host.files = &files;

    EXPECT_EQ(ReadSetting(host, "user", "ssid", "mylove"), "mylove");
    ASSERT_TRUE(WriteSetting(host, "user", "ssid", "办公室"));
    ASSERT_TRUE(WriteSetting(host, "user", "key", "12345678"));
    ASSERT_TRUE(WriteSetting(host, "user", "ssid", "home"));
    EXPECT_EQ(ReadSetting(host, "user", "ssid", "mylove"), "home");
    std::string bytes;
    ASSERT_TRUE(files.Read(kSettingsPath, bytes));
    EXPECT_EQ(bytes, "[user]\r\nssid=home\r\nkey=12345678\r\n");
    // Other files of the same kind, at their own paths.
    ASSERT_TRUE(WriteProfileValue(host, "c:\\other.ini", "a", "b", "c"));
    EXPECT_EQ(ReadProfileValue(host, "c:\\other.ini", "a", "b", ""), "c");
    EXPECT_EQ(ReadSetting(host, "a", "b", "none"), "none");

    // Without a file store nothing is read or written, and nothing crashes.
    Host empty;
    EXPECT_EQ(ReadSetting(empty, "user", "ssid", "mylove"), "mylove");
    EXPECT_FALSE(WriteSetting(empty, "user", "ssid", "x"));
    std::filesystem::remove_all(folder);
}

std::string KeyName(int i) {
    std::string key = "k";
    key += std::to_string(i);  // "+" here trips a false -Wrestrict in GCC 12
    return key;
}

TEST(SettingsFile, WritersOnTwoThreadsNeverLoseEachOthersKeys) {
    const auto folder = testing_support::FreshFolder("hs_settings");
    auto codec = MakeNativeCodec();
    sim::DirectoryFiles files(folder.string());
    Host host;
    host.codec = codec.get();
    host.files = &files;
    auto writer = [&](const char* section) {
        for (int i = 0; i < 40; ++i) {
            WriteSetting(host, section, KeyName(i), std::to_string(i));
        }
    };
    std::thread first(writer, "a");
    std::thread second(writer, "b");
    first.join();
    second.join();
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(ReadSetting(host, "a", KeyName(i), ""), std::to_string(i));
        EXPECT_EQ(ReadSetting(host, "b", KeyName(i), ""), std::to_string(i));
    }
    std::filesystem::remove_all(folder);
}

TEST(SettingsFile, StoredNumbersReadAsTheProgramReadsThem) {
    EXPECT_EQ(SettingToInteger("310"), 310);
    EXPECT_EQ(SettingToInteger("  12.9"), 12);
    EXPECT_EQ(SettingToInteger("-5.7"), -5);
    EXPECT_EQ(SettingToInteger("+7"), 7);
    EXPECT_EQ(SettingToInteger("120px"), 120);
    EXPECT_EQ(SettingToInteger("abc"), 0);
    EXPECT_EQ(SettingToInteger(""), 0);
    EXPECT_EQ(SettingToInteger("99999999999999999999"), kSettingNumberLimit);
    EXPECT_EQ(SettingToInteger("-99999999999999999999"), -kSettingNumberLimit);
}

}  // namespace
}  // namespace hs::settings
