// The Windows file store under Wine, in a scratch folder with a Chinese name.
#include "platform/windows/windows_files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>

#include "platform/windows/wide.h"
#include "tests/windows/print_bytes.h"

namespace hs {
namespace {

class WindowsFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Beside the test program: a folder of the build that nothing else cleans.
        folder = test::TestProgramFolder() + "files-" + std::to_string(GetCurrentProcessId());
        const BOOL made = CreateDirectoryW(win::Widen(folder).c_str(), nullptr);
        const DWORD error = GetLastError();
        ASSERT_TRUE(made) << folder << " error " << error;
    }
    void TearDown() override {
        for (const std::string& name : Names()) {
            const std::wstring path = win::Widen(folder + "\\" + name);
            if (!DeleteFileW(path.c_str()))
                RemoveDirectoryW(path.c_str());
        }
        RemoveDirectoryW(win::Widen(folder).c_str());
    }
    // Everything in the scratch folder.
    std::set<std::string> Names() const {
        std::set<std::string> names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(win::Widen(folder + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            const std::string name = win::Narrow(found.cFileName);
            if (name != "." && name != "..")
                names.insert(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }
    std::string Path(const std::string& name) const { return folder + "\\" + name; }

    std::string folder;
    win::WindowsFiles files;
};

TEST_F(WindowsFilesTest, WritesAndReadsWholeFilesByteForByte) {
    std::string bytes;
    EXPECT_EQ(files.Read(Path("wifiname.txt"), bytes), FileRead::Missing);
    EXPECT_EQ(files.Read(Path("absent\\wifiname.txt"), bytes), FileRead::Missing);

    const std::string binary("\xC4\xE3\xBA\xC3\r\n\0\xFF end", 11);
    ASSERT_TRUE(files.Write(Path("wifiname.txt"), binary));
    ASSERT_EQ(files.Read(Path("wifiname.txt"), bytes), FileRead::Ok);
    EXPECT_EQ(bytes, binary);

    ASSERT_TRUE(files.Write(Path("empty.ini"), ""));
    ASSERT_EQ(files.Read(Path("empty.ini"), bytes), FileRead::Ok);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(Names(), (std::set<std::string>{"wifiname.txt", "empty.ini"}));
}

TEST_F(WindowsFilesTest, TakesPathsAsUtf8) {
    // Wine stores such a name only when its Unix locale can spell it.
    const std::wstring probe = win::Widen(Path("探测.txt"));
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "the file system cannot hold Chinese names";
    CloseHandle(file);
    DeleteFileW(probe.c_str());

    ASSERT_TRUE(files.Write(Path("黑名单.txt"), "00-11-22-33-44-55"));
    std::string bytes;
    ASSERT_EQ(files.Read(Path("黑名单.txt"), bytes), FileRead::Ok);
    EXPECT_EQ(bytes, "00-11-22-33-44-55");
    EXPECT_EQ(Names(), std::set<std::string>{"黑名单.txt"});
}

TEST_F(WindowsFilesTest, ReplacesTheWholeOldContentAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(files.Write(Path("tulawifi.ini"), std::string(3 << 20, 'x')));
    ASSERT_TRUE(files.Write(Path("tulawifi.ini"), "[wifi]\r\nssid=a\r\n"));
    std::string bytes;
    ASSERT_EQ(files.Read(Path("tulawifi.ini"), bytes), FileRead::Ok);
    EXPECT_EQ(bytes, "[wifi]\r\nssid=a\r\n");
    EXPECT_EQ(Names(), std::set<std::string>{"tulawifi.ini"});
}

TEST_F(WindowsFilesTest, AFailedWriteLeavesTheTargetAsItWasAndNoTemporaryFile) {
    EXPECT_FALSE(files.Write(Path("missing\\inner.txt"), "data"));
    // A folder cannot be replaced by a file, nor can a read-only file; neither is
    // waited for.
    ASSERT_TRUE(CreateDirectoryW(win::Widen(Path("occupied")).c_str(), nullptr));
    ASSERT_TRUE(files.Write(Path("locked.ini"), "[skin]\r\ncolor=1\r\n"));
    ASSERT_TRUE(
        SetFileAttributesW(win::Widen(Path("locked.ini")).c_str(), FILE_ATTRIBUTE_READONLY));
    const DWORD start = GetTickCount();
    EXPECT_FALSE(files.Write(Path("occupied"), "data"));
    EXPECT_FALSE(files.Write(Path("locked.ini"), "data"));
    EXPECT_LT(GetTickCount() - start, 200u);
    EXPECT_NE(GetFileAttributesW(win::Widen(Path("occupied")).c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              0u);
    std::string bytes;
    EXPECT_EQ(files.Read(Path("occupied"), bytes), FileRead::Failed);
    ASSERT_EQ(files.Read(Path("locked.ini"), bytes), FileRead::Ok);
    EXPECT_EQ(bytes, "[skin]\r\ncolor=1\r\n");
    SetFileAttributesW(win::Widen(Path("locked.ini")).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Names(), (std::set<std::string>{"occupied", "locked.ini"}));
}

TEST_F(WindowsFilesTest, AFileHeldOpenByAnotherProgramFailsToReadAndIsWaitedForOnWrite) {
    ASSERT_TRUE(files.Write(Path("tulawifi.ini"), "old"));
    HANDLE held = CreateFileW(win::Widen(Path("tulawifi.ini")).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::string bytes = "untouched";
    EXPECT_EQ(files.Read(Path("tulawifi.ini"), bytes), FileRead::Failed);
    EXPECT_EQ(bytes, "untouched");
    // Let go after a moment: the write that was waiting then replaces the file.
    std::thread release([&] {
        Sleep(100);
        CloseHandle(held);
    });
    const bool written = files.Write(Path("tulawifi.ini"), "new");
    release.join();
    EXPECT_TRUE(written);
    ASSERT_EQ(files.Read(Path("tulawifi.ini"), bytes), FileRead::Ok);
    EXPECT_EQ(bytes, "new");
    EXPECT_EQ(Names(), std::set<std::string>{"tulawifi.ini"});
}

TEST_F(WindowsFilesTest, TemporariesOfEndedProcessesAreRemoved) {
    const std::string self = std::to_string(GetCurrentProcessId());
    const std::set<std::string> kept = {"tulawifi.ini",       "tulawifi.ini." + self + "-0.tmp",
                                        "tulawifi.ini.bak",   "tulawifi.ini.1x-2.tmp",
                                        "tulawifi.ini.7.tmp", "wifiname.txt.99999996-1.tmp"};
    for (const std::string& name : kept)
        ASSERT_TRUE(files.Write(Path(name), "x"));
    ASSERT_TRUE(files.Write(Path("tulawifi.ini.99999996-3.tmp"), "killed write"));
    ASSERT_TRUE(files.Write(Path("TULAWIFI.INI.99999992-12.TMP"), "killed write"));
    EXPECT_EQ(files.RemoveStaleTemporaries(Path("tulawifi.ini")), 2);
    EXPECT_EQ(Names(), kept);
    EXPECT_EQ(files.RemoveStaleTemporaries(Path("absent\\tulawifi.ini")), 0);
}

TEST_F(WindowsFilesTest, AReaderAtTheSameTimeSeesOnlyWholeVersions) {
    const std::string small(1000, 's');
    const std::string large(200000, 'L');
    ASSERT_TRUE(files.Write(Path("wifiblack.txt"), small));
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::atomic<int> reads{0};
    std::thread reader([&] {
        std::string bytes;
        while (!done) {
            if (files.Read(Path("wifiblack.txt"), bytes) == FileRead::Ok) {
                ++reads;
                if (bytes != small && bytes != large)
                    ++torn;
            }
            Sleep(1);  // Busy, but not so busy that the file is never closed.
        }
    });
    int failedWrites = 0;
    for (int i = 0; i < 40; ++i) {
        if (!files.Write(Path("wifiblack.txt"), i % 2 ? small : large))
            ++failedWrites;
    }
    done = true;
    reader.join();
    EXPECT_EQ(torn.load(), 0);
    EXPECT_GT(reads.load(), 0);
    EXPECT_EQ(failedWrites, 0);
    EXPECT_EQ(Names(), std::set<std::string>{"wifiblack.txt"});
}

}  // namespace
}  // namespace hs
