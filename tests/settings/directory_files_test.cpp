// The simulated laptop's file store: what a read found, writes that cannot succeed,
// and the temporaries a killed write leaves behind.
#include "platform/sim/directory_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include "tests/temp_folder.h"

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace hs {
namespace {

namespace fs = std::filesystem;

class DirectoryFilesTest : public ::testing::Test {
  protected:
    void TearDown() override {
        std::error_code ec;
        fs::permissions(folder, fs::perms::all, ec);
        for (const auto& entry : fs::directory_iterator(folder, ec))
            fs::permissions(entry.path(), fs::perms::owner_all, ec);
        fs::remove_all(folder, ec);
    }
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }
    void Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }

    fs::path folder = testing_support::FreshFolder("hs_store");
    sim::DirectoryFiles files{folder.string()};
};

TEST_F(DirectoryFilesTest, AMissingFileIsToldFromOneThatCannotBeRead) {
    std::string bytes = "untouched";
    EXPECT_EQ(files.Read("c:\\tulawifi.ini", bytes), FileRead::Missing);
    EXPECT_EQ(bytes, "untouched");
    Put("tulawifi.ini", "");
    EXPECT_EQ(files.Read("c:\\tulawifi.ini", bytes), FileRead::Ok);
    EXPECT_EQ(bytes, "");

    // Reading a folder fails part-way at the system's read; the store answers, it
    // does not throw.
    fs::create_directory(folder / "wifiblack.txt");
    bytes = "untouched";
    EXPECT_EQ(files.Read("c:\\wifiblack.txt", bytes), FileRead::Failed);
    EXPECT_EQ(bytes, "untouched");
    EXPECT_FALSE(files.Write("c:\\wifiblack.txt", "x"));
    EXPECT_TRUE(fs::is_directory(folder / "wifiblack.txt"));
    EXPECT_EQ(Names(), (std::set<std::string>{"tulawifi.ini", "wifiblack.txt"}));
}

TEST_F(DirectoryFilesTest, AReadOnlyFileIsNotReplaced) {
    Put("tulawifi.ini", "[user]\r\nssid=a\r\n");
    fs::permissions(folder / "tulawifi.ini", fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(files.Write("c:\\tulawifi.ini", "other"));
    std::string bytes;
    ASSERT_EQ(files.Read("c:\\tulawifi.ini", bytes), FileRead::Ok);
    EXPECT_EQ(bytes, "[user]\r\nssid=a\r\n");
    EXPECT_EQ(Names(), std::set<std::string>{"tulawifi.ini"});
}

TEST_F(DirectoryFilesTest, WritersOfOneFileOnTwoThreadsNeverShareATemporary) {
    const std::string first(50000, 'a');
    const std::string second(70000, 'b');
    int failed = 0;
    std::thread other([&] {
        for (int i = 0; i < 50; ++i)
            failed += files.Write("c:\\wifiname.txt", first) ? 0 : 1;
    });
    int failedHere = 0;
    for (int i = 0; i < 50; ++i)
        failedHere += files.Write("c:\\wifiname.txt", second) ? 0 : 1;
    other.join();
#ifndef _WIN32
    // A POSIX rename replaces atomically; on Windows a replacement racing another one
    // may be refused, and that write then fails whole.
    EXPECT_EQ(failed + failedHere, 0);
#endif
    EXPECT_LT(failed + failedHere, 100);
    std::string bytes;
    ASSERT_EQ(files.Read("c:\\wifiname.txt", bytes), FileRead::Ok);
    EXPECT_TRUE(bytes == first || bytes == second);
    EXPECT_EQ(Names(), std::set<std::string>{"wifiname.txt"});
}

TEST_F(DirectoryFilesTest, StaleTemporariesBesideAFileAreRemoved) {
#ifdef _WIN32
    const std::string self = std::to_string(_getpid());
#else
    const std::string self = std::to_string(getpid());
#endif
    Put("tulawifi.ini", "kept");
    Put("tulawifi.ini.tmp", "older store");
    Put("tulawifi.ini.4242-7.tmp", "killed write");
    Put("tulawifi.ini." + self + "-0.tmp", "this process is writing it");
    Put("tulawifi.ini.bak", "not ours");
    Put("tulawifi.ini.12-x.tmp", "not ours");
    Put("tulawifi.ini.1-2-3.tmp", "not ours");
    Put("wifiblack.txt.4242-8.tmp", "another file's");
    EXPECT_EQ(files.RemoveStaleTemporaries("c:\\tulawifi.ini"), 2);
    EXPECT_EQ(Names(),
              (std::set<std::string>{"tulawifi.ini", "tulawifi.ini." + self + "-0.tmp",
                                     "tulawifi.ini.bak", "tulawifi.ini.12-x.tmp",
                                     "tulawifi.ini.1-2-3.tmp", "wifiblack.txt.4242-8.tmp"}));
    EXPECT_EQ(files.RemoveStaleTemporaries("c:\\tulawifi.ini"), 0);
    EXPECT_EQ(files.RemoveStaleTemporaries("c:\\wifiblack.txt"), 1);
    // A folder that does not exist has nothing to remove.
    sim::DirectoryFiles nowhere((folder / "absent").string());
    EXPECT_EQ(nowhere.RemoveStaleTemporaries("c:\\tulawifi.ini"), 0);
}

}  // namespace
}  // namespace hs
