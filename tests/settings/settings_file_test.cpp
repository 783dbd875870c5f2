#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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
    // A key starting with "[" would come back as a section line.
    EXPECT_FALSE(ProfileSet(*codec, file, "user", "[1]", "x"));
    EXPECT_FALSE(ProfileSet(*codec, file, "user", "  [x", "x"));
    EXPECT_EQ(file, before);
    ASSERT_TRUE(ProfileSet(*codec, file, "user", "a[b]", "x"));
    EXPECT_EQ(Get(file, "user", "a[b]"), "x");
}

TEST_F(ProfileText, ALastLineEndingInABareCrGetsItsLineEndCompleted) {
    // A new key after it, in its section or in a new one, starts a line of its own.
    std::string file = "[user]\r\nkey=5802741639\r";
    EXPECT_EQ(Get(file, "user", "key"), "5802741639");
    ASSERT_TRUE(ProfileSet(*codec, file, "user", "ssid", "home"));
    EXPECT_EQ(file, "[user]\r\nkey=5802741639\r\nssid=home\r\n");
    EXPECT_EQ(Get(file, "user", "key"), "5802741639");

    std::string other = "[user]\r\nkey=5802741639\r";
    ASSERT_TRUE(ProfileSet(*codec, other, "skin", "color", "20"));
    EXPECT_EQ(other, "[user]\r\nkey=5802741639\r\n[skin]\r\ncolor=20\r\n");
    EXPECT_EQ(Get(other, "skin", "color"), "20");

    // Replacing the value of that very line keeps its bare CR.
    std::string same = "[user]\r\nkey=1\r";
    ASSERT_TRUE(ProfileSet(*codec, same, "user", "key", "2"));
    EXPECT_EQ(same, "[user]\r\nkey=2\r");
    // A blank last line of a bare CR, and LF-only files.
    std::string blank = "[a]\nx=1\n\r";
    ASSERT_TRUE(ProfileSet(*codec, blank, "b", "y", "2"));
    EXPECT_EQ(blank, "[a]\nx=1\n\r\n[b]\r\ny=2\r\n");
}

// The bytes of `text` in UTF-16 LE after the byte-order mark.
std::string Utf16File(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

TEST_F(ProfileText, AUtf16FileIsReadAndWrittenInUtf16) {
    std::string file = Utf16File(
        u"[user]\r\nssid=\u529e\u516c\u5ba4\r\n[\u6d41\u91cf\u6761]\r\n"
        u"\u662f\u5426\u5f00=\u662f\r\n");
    EXPECT_EQ(Get(file, "user", "ssid"), "办公室");
    EXPECT_EQ(Get(file, "流量条", "是否开"), "是");
    EXPECT_EQ(Get(file, "user", "key"), "DEFAULT");

    ASSERT_TRUE(ProfileSet(*codec, file, "user", "key", "密码12345"));
    ASSERT_TRUE(ProfileSet(*codec, file, "user", "ssid", "home"));
    ASSERT_TRUE(ProfileSet(*codec, file, "skin", "color", "310"));
    EXPECT_EQ(file, Utf16File(u"[user]\r\nssid=home\r\nkey=\u5bc6\u7801"
                              u"12345\r\n"
                              u"[\u6d41\u91cf\u6761]\r\n\u662f\u5426\u5f00=\u662f\r\n"
                              u"[skin]\r\ncolor=310\r\n"));
    // Characters beyond GBK survive in a UTF-16 file.
    ASSERT_TRUE(ProfileSet(*codec, file, "user", "ssid", "caf\xC3\xA9 \xF0\x9F\x98\x80"));
    EXPECT_EQ(Get(file, "user", "ssid"), "caf\xC3\xA9 \xF0\x9F\x98\x80");
}

TEST_F(ProfileText, AUtf16FileKeepsEveryUnitItDoesNotChange) {
    // A lone surrogate and an odd last byte are carried through a write untouched.
    std::string file = Utf16File(u"; \xD800 note\r\n[a]\r\nx=1\r\n");
    file += '\x41';
    const std::string before = file;
    ASSERT_TRUE(ProfileSet(*codec, file, "a", "x", "2"));
    std::string expected = Utf16File(u"; \xD800 note\r\n[a]\r\nx=2\r\n");
    expected += '\x41';
    EXPECT_EQ(file, expected);
    ASSERT_TRUE(ProfileSet(*codec, file, "a", "x", "1"));
    EXPECT_EQ(file, before);
    // Only the mark makes UTF-16: the same text in GBK is GBK.
    EXPECT_EQ(Get("\xFF[a]\r\nx=1\r\n", "a", "x"), "DEFAULT");
    std::string bare = "\xFF\xFE";
    ASSERT_TRUE(ProfileSet(*codec, bare, "a", "x", "1"));
    EXPECT_EQ(bare, Utf16File(u"[a]\r\nx=1\r\n"));
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
    ASSERT_EQ(files.Read(kSettingsPath, bytes), FileRead::Ok);
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

// A file store whose every read gives one answer, counting the writes it is asked for.
class ScriptedFiles : public FileStore {
  public:
    FileRead Read(const std::string&, std::string& bytes) override {
        if (answer == FileRead::Ok)
            bytes = content;
        return answer;
    }
    bool Write(const std::string&, std::string_view bytes) override {
        ++writes;
        content = bytes;
        return true;
    }
    FileRead answer = FileRead::Ok;
    std::string content;
    int writes = 0;
};

TEST(SettingsFile, AFileThatExistsButCannotBeReadIsNeverReplaced) {
    auto codec = MakeNativeCodec();
    ScriptedFiles files;
    Host host;
    host.codec = codec.get();
    host.files = &files;
    files.content = "[user]\r\nssid=home\r\nkey=12345678\r\n";
    files.answer = FileRead::Failed;
    EXPECT_FALSE(WriteSetting(host, "skin", "color", "20"));
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(ReadSetting(host, "user", "ssid", "mylove"), "mylove");

    files.answer = FileRead::Missing;
    ASSERT_TRUE(WriteSetting(host, "skin", "color", "20"));
    EXPECT_EQ(files.content, "[skin]\r\ncolor=20\r\n");

    // Writing the value a key already holds writes nothing.
    files.answer = FileRead::Ok;
    files.writes = 0;
    ASSERT_TRUE(WriteSetting(host, "SKIN", "color", "20"));
    EXPECT_EQ(files.writes, 0);
    ASSERT_TRUE(WriteSetting(host, "skin", "color", "21"));
    EXPECT_EQ(files.writes, 1);
}

TEST(SettingsFile, AFolderInThePlaceOfTheFileIsLeftAlone) {
    const auto folder = testing_support::FreshFolder("hs_settings");
    auto codec = MakeNativeCodec();
    sim::DirectoryFiles files(folder.string());
    Host host;
    host.codec = codec.get();
    host.files = &files;
    std::filesystem::create_directory(files.Locate(kSettingsPath));
    std::filesystem::path inside = files.Locate(kSettingsPath);
    inside /= "keep.txt";
    std::ofstream(inside) << "x";
    EXPECT_EQ(ReadSetting(host, "user", "ssid", "mylove"), "mylove");
    EXPECT_FALSE(WriteSetting(host, "user", "ssid", "home"));
    EXPECT_TRUE(std::filesystem::is_directory(files.Locate(kSettingsPath)));
    EXPECT_TRUE(std::filesystem::exists(inside));
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
