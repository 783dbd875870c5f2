// The Windows command runner under Wine, through the portable RunCommand.
#include "platform/windows/command_runner.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/windows/windows_host.h"
#include "sys/command.h"
#include "sys/worker.h"
#include "tests/windows/print_bytes.h"

namespace hs {
namespace {

using test::PrintBytes;
using test::PrintBytesPattern;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class CommandRunnerTest : public ::testing::Test {
  protected:
    win::WindowsHost windows;
    Host& host = windows.host();
};

TEST_F(CommandRunnerTest, ReturnsWhatTheConsoleCommandPrintedOnBothStreams) {
    EXPECT_EQ(RunCommand(host, "cmd /c echo hello hotspot"), "hello hotspot\r\n");
    EXPECT_EQ(RunCommand(host, PrintBytes("text:out, err:err, text:again")), "out,err,again");
    EXPECT_EQ(RunCommand(host, PrintBytes("")), "");
}

TEST_F(CommandRunnerTest, ChineseTextCrossesTheCommandLineAndTheConsoleCodePage) {
    // On a Chinese system both the command line (ANSI) and the output (OEM) are GBK.
    if (GetACP() != 936 || GetOEMCP() != 936)
        GTEST_SKIP() << "not a Chinese system locale";
    EXPECT_EQ(RunCommand(host, "cmd /c echo 承载网络 已启动"), "承载网络 已启动\r\n");
    EXPECT_EQ(RunCommand(host, PrintBytes("hex:CEDEB7A8C6F4B6AF")), "无法启动");
}

TEST(CommandRunnerUnicode, EveryCharacterOfTheCommandLineReachesTheCommandUnchanged) {
    // Characters no ANSI code page holds (an emoji), and Chinese: started in UTF-16,
    // the command gets them as they are, whatever the system's non-Unicode language.
    win::WindowsCommandRunner utf8Console(CP_UTF8);
    std::string output;
    ASSERT_TRUE(utf8Console.Run(PrintBytes("wide:😀中文Wi-Fi名称"), nullptr, output));
    EXPECT_EQ(output, "😀中文Wi-Fi名称");
}

TEST_F(CommandRunnerTest, DrainsOutputFarLargerThanThePipeWhileTheCommandRuns) {
    const size_t size = 256 * 1024;
    const std::string out = RunCommand(host, PrintBytes("count:" + std::to_string(size)));
    ASSERT_EQ(out.size(), size);
    EXPECT_TRUE(out == PrintBytesPattern(size)) << "output differs from the pattern";
}

TEST_F(CommandRunnerTest, AZeroByteCutsOnlyTheRestOfItsOwnChunk) {
    // "abc\0def" reaches the pipe in one write and is read as one chunk; "ghi"
    // comes later in a chunk of its own.
    EXPECT_EQ(RunCommand(host, PrintBytes("text:abc zero text:def sleep:300 text:ghi")), "abcghi");
    // 1501 bytes in one write are read as 1023 + 478: the zero at 1100 cuts the
    // second chunk only.
    EXPECT_EQ(RunCommand(host, PrintBytes("count:1100 zero count:400 sleep:300 text:tail")),
              PrintBytesPattern(1100) + "tail");
}

// The console cuts every chunk of 1023 bytes at its first zero byte.
std::string CutEachChunk(const std::string& bytes) {
    std::string out;
    for (size_t at = 0; at < bytes.size(); at += 1023) {
        const std::string chunk = bytes.substr(at, 1023);
        out += chunk.substr(0, chunk.find('\0'));
    }
    return out;
}

TEST_F(CommandRunnerTest, EveryChunkOfOneLargeReadIsCutAtItsOwnZeroByte) {
    // 3500 bytes in one write, zeros in the first, third and fourth chunk: read at
    // once, they are cut as four reads of 1023, 1023, 1023 and 431 bytes would be.
    const std::string written = PrintBytesPattern(100) + '\0' + PrintBytesPattern(2000) + '\0' +
                                PrintBytesPattern(1000) + '\0' + PrintBytesPattern(397);
    ASSERT_EQ(written.size(), 3500u);
    const std::string expected = CutEachChunk(written);
    EXPECT_EQ(expected.size(), 100 + 1023 + (2101 - 2046) + (3102 - 3069u));
    EXPECT_EQ(RunCommand(host, PrintBytes("count:100 zero count:2000 zero count:1000 zero "
                                          "count:397 sleep:300 text:tail")),
              expected + "tail");
}

TEST_F(CommandRunnerTest, ACommandThatCannotStartIsToldFromOneThatPrintedNothing) {
    const auto start = Clock::now();
    std::string output = "left over";
    EXPECT_FALSE(TryRunCommand(host, "h2_no_such_program_anywhere.exe /x", output));
    EXPECT_EQ(output, "");
    EXPECT_FALSE(TryRunCommand(host, "", output));
    EXPECT_EQ(RunCommand(host, "h2_no_such_program_anywhere.exe /x"), "");
    EXPECT_LT(SecondsSince(start), 5.0);
    output = "left over";
    EXPECT_TRUE(TryRunCommand(host, PrintBytes(""), output));
    EXPECT_EQ(output, "");
}

TEST_F(CommandRunnerTest, AChildEndingWithTheStillActiveCodeIsStillSeenToEnd) {
    EXPECT_EQ(RunCommand(host, PrintBytes("text:done exit:259")), "done");
}

TEST(CommandRunnerDecoding, ACharacterSplitBetweenTwoReadsIsDecodedWhole) {
    // 1022 bytes and the two GBK bytes of "中" in one write: the first chunk ends
    // after the character's first byte.
    win::WindowsCommandRunner gbk(936);
    std::string output;
    EXPECT_TRUE(gbk.Run(PrintBytes("fill:a:1022 hex:D6D0D0C4"), nullptr, output));
    EXPECT_EQ(output, std::string(1022, 'a') + "中心");
}

TEST_F(CommandRunnerTest, TwoThreadsRunningCommandsAtOnceEachGetTheirOwnOutput) {
    std::atomic<int> mismatches{0};
    auto runMany = [&](char letter) {
        const std::string half = "fill:" + std::string(1, letter) + ":6000";
        for (int i = 0; i < 4; ++i) {
            if (RunCommand(host, PrintBytes(half + " sleep:40 " + half)) !=
                std::string(12000, letter)) {
                ++mismatches;
            }
        }
    };
    std::thread first(runMany, 'A');
    std::thread second(runMany, 'B');
    first.join();
    second.join();
    EXPECT_EQ(mismatches.load(), 0);
}

TEST_F(CommandRunnerTest, AStoppedWorkerGetsWhatWasReadSoFarAtOnce) {
    const std::string marker = test::TestProgramFolder() + "command-started.flag";
    DeleteFileA(marker.c_str());
    std::string result = "not returned";
    Task worker;
    worker.Start([&] {
        result =
            RunCommand(host, PrintBytes("text:begun touch:" + marker + " sleep:6000 text:end"));
    });
    const auto start = Clock::now();
    while (GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES &&
           SecondsSince(start) < 15) {
        Sleep(10);
    }
    Sleep(200);  // Time for a few polls to take "begun".
    const auto stopAt = Clock::now();
    worker.RequestStop();
    EXPECT_TRUE(worker.WaitFor(3000)) << "the command was waited for to its end";
    EXPECT_LT(SecondsSince(stopAt), 3.0);
    worker.Join();  // `result` must outlive the worker whatever happened.
    EXPECT_EQ(result, "begun");
    DeleteFileA(marker.c_str());
}

TEST_F(CommandRunnerTest, TheWindowMessagesOfTheWaitingThreadAreLeftInItsQueue) {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // Gives the thread its queue.
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 3, 0);
    PostQuitMessage(5);
    EXPECT_EQ(RunCommand(host, PrintBytes("sleep:100 text:x")), "x");
    // Both are still there for the thread's own message loop, in their order. (A quit
    // message is returned whatever the filter, so the queue is read whole.)
    std::vector<std::pair<UINT, WPARAM>> left;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        left.emplace_back(msg.message, msg.wParam);
    EXPECT_EQ(left, (std::vector<std::pair<UINT, WPARAM>>{{WM_APP, 3}, {WM_QUIT, 5}}));
}

}  // namespace
}  // namespace hs
