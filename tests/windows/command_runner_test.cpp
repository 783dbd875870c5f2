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

TEST_F(CommandRunnerTest, ACommandThatCannotStartGivesEmptyTextAtOnce) {
    const auto start = Clock::now();
    EXPECT_EQ(RunCommand(host, "h2_no_such_program_anywhere.exe /x"), "");
    EXPECT_EQ(RunCommand(host, ""), "");
    EXPECT_LT(SecondsSince(start), 5.0);
}

TEST_F(CommandRunnerTest, AChildEndingWithTheStillActiveCodeIsStillSeenToEnd) {
    EXPECT_EQ(RunCommand(host, PrintBytes("text:done exit:259")), "done");
}

TEST(CommandRunnerDecoding, ACharacterSplitBetweenTwoReadsIsDecodedWhole) {
    // 1022 bytes and the two GBK bytes of "中" in one write: the first read stops
    // after the character's first byte.
    win::WindowsCommandRunner gbk(936);
    EXPECT_EQ(gbk.Run(PrintBytes("fill:a:1022 hex:D6D0D0C4"), nullptr),
              std::string(1022, 'a') + "中心");
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
    WorkerHandle worker = StartThread([&] {
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
    WorkerHandle keep = worker;
    EXPECT_TRUE(KillThread(worker, 3000)) << "the command was waited for to its end";
    EXPECT_LT(SecondsSince(stopAt), 3.0);
    JoinThread(keep);  // `result` must outlive the worker whatever happened.
    EXPECT_EQ(result, "begun");
    DeleteFileA(marker.c_str());
}

TEST_F(CommandRunnerTest, MessagesArePumpedWhileWaitingAndTheQuitMessageIsKept) {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // Gives the thread its queue.
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    PostQuitMessage(5);
    EXPECT_EQ(RunCommand(host, PrintBytes("sleep:100 text:x")), "x");
    // WM_APP was processed during the wait; the quit is back for the message loop.
    // (A quit message is returned whatever the filter, so the queue is read whole.)
    std::vector<std::pair<UINT, WPARAM>> left;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        left.emplace_back(msg.message, msg.wParam);
    EXPECT_EQ(left, (std::vector<std::pair<UINT, WPARAM>>{{WM_QUIT, 5}}));
}

}  // namespace
}  // namespace hs
