#include "clients/blacklist_file.h"

#include <gtest/gtest.h>

#include <memory>
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

TEST_F(Blacklist, AMissingOrEmptyFileGivesNoEntry) {
    EXPECT_TRUE(ReadBlacklist(host).empty());
    WriteFile("");
    EXPECT_TRUE(ReadBlacklist(host).empty());
}

}  // namespace
}  // namespace hs::clients
