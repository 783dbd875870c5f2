// The command journal's rotation on Windows' own file system, under Wine: the file so
// far must become journal.txt.1, every time, and never be lost.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/windows/wide.h"
#include "sys/command_journal.h"
#include "tests/windows/print_bytes.h"

namespace hs {
namespace {

class EchoRunner : public CommandRunner {
  public:
    bool Run(const std::string& commandLine, const StopSignal*, std::string& output) override {
        output = commandLine + " answered\r\n";
        return true;
    }
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(win::Widen(path).c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(CommandJournalOnWindows, RotatesIntoTheOlderFileEveryTime) {
    const std::string path =
        test::TestProgramFolder() + "journal-" + std::to_string(GetCurrentProcessId()) + ".txt";
    EchoRunner echo;
    {
        CommandJournal journal(echo, [] { return int64_t{0}; });
        journal.SetBound(200);
        ASSERT_TRUE(journal.Open(path));
        std::string output;
        for (int i = 0; i < 12; ++i)
            journal.Run("netsh command " + std::to_string(i), nullptr, output);
    }
    const std::string current = ReadAll(path);
    const std::string older = ReadAll(path + ".1");
    DeleteFileW(win::Widen(path).c_str());
    DeleteFileW(win::Widen(path + ".1").c_str());
    EXPECT_LE(current.size(), 200u);
    EXPECT_LE(older.size(), 200u);
    // Three entries fit in a file: the last three are in the current one, the three
    // before them in the older.
    EXPECT_NE(current.find("netsh command 9\r\n"), std::string::npos) << current;
    EXPECT_NE(current.find("netsh command 11\r\n"), std::string::npos) << current;
    EXPECT_NE(older.find("netsh command 6\r\n"), std::string::npos) << older;
    EXPECT_NE(older.find("netsh command 8\r\n"), std::string::npos) << older;
}

}  // namespace
}  // namespace hs
