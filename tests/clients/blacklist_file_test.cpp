#include "clients/blacklist_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/native_codec.h"
#include "platform/sim/directory_files.h"
#include "tests/temp_folder.h"

namespace hs::clients {
namespace {

class Blacklist : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = testing_support::FreshFolder("hs_blacklist");
        files = std::make_unique<sim::DirectoryFiles>(folder.string());
        host.codec = codec.get();
        host.files = files.get();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    void WriteFile(const std::string& utf8) {
        ASSERT_TRUE(files->Write(kBlacklistPath, codec->Utf8ToGbk(utf8)));
    }
    using Rows = std::vector<BlacklistRow>;

    std::filesystem::path folder;
    std::unique_ptr<TextCodec> codec = MakeNativeCodec();
    std::unique_ptr<sim::DirectoryFiles> files;
    Host host;
};

TEST_F(Blacklist, AHandWrittenFileLoadsLineByLine) {
    WriteFile(
        "AA-BB-CC-DD-EE-01+小米手机\r\n"
        "AA-BB-CC-DD-EE-02+\r\n"            // empty name
        "\r\n"                              // empty line: skipped
        "AA-BB-CC-DD-EE-03+C++ 笔记本\r\n"  // a name with "+" is kept whole
        "AA-BB-CC-DD-EE-04\r\n"             // no "+": address only
        "aa-bb-cc-dd-ee-05+iPad");          // last line without CR LF
    EXPECT_EQ(ReadBlacklist(host), (Rows{{"", "AA-BB-CC-DD-EE-01", "小米手机"},
                                         {"", "AA-BB-CC-DD-EE-02", ""},
                                         {"", "AA-BB-CC-DD-EE-03", "C++ 笔记本"},
                                         {"", "AA-BB-CC-DD-EE-04", ""},
                                         {"", "aa-bb-cc-dd-ee-05", "iPad"}}));
}

TEST_F(Blacklist, AFinalLineEndGivesNoExtraRowAndLoneLineFeedsSplitToo) {
    WriteFile("AA-BB-CC-DD-EE-01+a\r\nAA-BB-CC-DD-EE-02+b\nAA-BB-CC-DD-EE-03+c\r\n");
    EXPECT_EQ(ReadBlacklist(host), (Rows{{"", "AA-BB-CC-DD-EE-01", "a"},
                                         {"", "AA-BB-CC-DD-EE-02", "b"},
                                         {"", "AA-BB-CC-DD-EE-03", "c"}}));
}

TEST_F(Blacklist, AMissingOrEmptyFileGivesNoEntryAndAnUnreadableOneNothing) {
    EXPECT_EQ(ReadBlacklist(host), Rows{});
    WriteFile("");
    EXPECT_EQ(ReadBlacklist(host), Rows{});
    // A folder in the file's place exists but cannot be read.
    std::filesystem::remove(files->Locate(kBlacklistPath));
    std::filesystem::create_directory(files->Locate(kBlacklistPath));
    EXPECT_FALSE(ReadBlacklist(host).has_value());
}

// A codec that shows each byte above ASCII as `mark`, as codecs show bytes that are
// not GBK: one marks them apart from every text ("\uFFFD"), another as a "?" that a
// file may also hold itself.
class MarkingCodec : public TextCodec {
  public:
    explicit MarkingCodec(std::string mark) : mark_(std::move(mark)) {}
    std::string GbkToUtf8(std::string_view gbk) override {
        std::string out;
        for (char c : gbk)
            out += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : mark_;
        return out;
    }
    std::string Utf8ToGbk(std::string_view utf8) override {
        std::string out;
        for (char c : utf8) {
            if (static_cast<unsigned char>(c) < 0x80)
                out += c;
            else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                out += '?';
        }
        return out;
    }

  private:
    std::string mark_;
};

TEST(BlacklistRelease, RemovesTheLineItsRowWasReadFromOrRefusesWhenItCannotTell) {
    // A hand-edited file: a real "?", and a byte that is not GBK.
    const std::string bytes =
        "AA-BB-CC-DD-EE-0?+phone\r\nAA-BB-CC-DD-EE-0\x81+tablet\r\nAA-BB-CC-DD-EE-02+pad";
    std::vector<Released> outcomes;
    {
        MarkingCodec codec("\xEF\xBF\xBD");
        const std::vector<BlacklistRow> rows = ParseBlacklist(bytes, codec);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[1].mac, "AA-BB-CC-DD-EE-0\xEF\xBF\xBD");
        // The tablet's row releases the tablet's line, byte for byte; the phone's stays.
        EXPECT_EQ(RemoveBlacklistLines(bytes, {rows[1].mac}, codec, outcomes),
                  "AA-BB-CC-DD-EE-0?+phone\r\nAA-BB-CC-DD-EE-02+pad");
        EXPECT_EQ(outcomes, std::vector<Released>{Released::Yes});
        // Several rows at once, the last line among them; letter case is ignored.
        EXPECT_EQ(
            RemoveBlacklistLines(bytes, {"aa-bb-cc-dd-ee-02", rows[0].mac, "AA-BB-CC-DD-EE-03"},
                                 codec, outcomes),
            "AA-BB-CC-DD-EE-0\x81+tablet");
        EXPECT_EQ(outcomes,
                  (std::vector<Released>{Released::Yes, Released::Yes, Released::NotInFile}));
        // A second byte that is not GBK shows alike: neither line goes by guess.
        const std::string twins = bytes + "\r\nAA-BB-CC-DD-EE-0\x82+laptop\r\n";
        EXPECT_EQ(RemoveBlacklistLines(twins, {rows[1].mac, rows[0].mac}, codec, outcomes),
                  "AA-BB-CC-DD-EE-0\x81+tablet\r\nAA-BB-CC-DD-EE-02+pad\r\n"
                  "AA-BB-CC-DD-EE-0\x82+laptop\r\n");
        EXPECT_EQ(outcomes, (std::vector<Released>{Released::Unclear, Released::Yes}));
    }
    {
        // Shown as "?", the tablet's row looks like the phone's: neither is released.
        MarkingCodec codec("?");
        const std::vector<BlacklistRow> rows = ParseBlacklist(bytes, codec);
        ASSERT_EQ(rows[1].mac, rows[0].mac);
        EXPECT_EQ(RemoveBlacklistLines(bytes, {rows[1].mac, "AA-BB-CC-DD-EE-02"}, codec, outcomes),
                  "AA-BB-CC-DD-EE-0?+phone\r\nAA-BB-CC-DD-EE-0\x81+tablet");
        EXPECT_EQ(outcomes, (std::vector<Released>{Released::Unclear, Released::Yes}));
    }
}

}  // namespace
}  // namespace hs::clients
