#include "sys/worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/sim/canned_commands.h"
#include "platform/sim/virtual_clock.h"
#include "platform/native_codec.h"
#include "sys/command.h"
#include "sys/delay.h"

namespace hs {
namespace {

TEST(Worker, RunsTheProcedureAndReportsItsEnd) {
    std::atomic<int> ran{0};
    WorkerHandle worker = StartThread([&] { ran = 1; });
    JoinThread(worker);
    EXPECT_EQ(ran.load(), 1);
    EXPECT_FALSE(IsRunning(worker));
    EXPECT_TRUE(KillThread(worker));
    EXPECT_EQ(worker, nullptr);
}

TEST(Worker, KillAsksTheWorkerToStopAndWaitsForIt) {
    std::atomic<bool> sawStop{false};
    std::atomic<bool> started{false};
    WorkerHandle worker = StartThread([&] {
        started = true;
        while (!StopRequested()) CurrentStop()->WaitFor(1000);
        sawStop = true;
    });
    while (!started) std::this_thread::yield();
    EXPECT_TRUE(IsRunning(worker));
    EXPECT_TRUE(KillThread(worker, 10000));
    EXPECT_TRUE(sawStop.load());
}

TEST(Worker, KillGivesUpOnAWorkerThatDoesNotStopInTime) {
    std::atomic<bool> release{false};
    WorkerHandle worker = StartThread([&] {
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    WorkerHandle keep = worker;
    EXPECT_FALSE(KillThread(worker, 20));
    EXPECT_EQ(worker, nullptr);
    release = true;
    JoinThread(keep);
}

TEST(Worker, OutsideAWorkerThereIsNoStop) {
    EXPECT_EQ(CurrentStop(), nullptr);
    EXPECT_FALSE(StopRequested());
}

class StoppedWorkerTest : public ::testing::Test {
protected:
    std::unique_ptr<TextCodec> codec = MakeNativeCodec();
    sim::VirtualClock clock;
    sim::CannedCommands commands{*codec};
    Host host{&commands, &clock, codec.get(), nullptr};
};

TEST_F(StoppedWorkerTest, CommandsAndDelaysReturnAtOnceAfterAStop) {
    std::string output = "unset";
    std::atomic<bool> stopped{false};
    WorkerHandle worker = StartThread([&] {
        while (!StopRequested()) CurrentStop()->WaitFor(1000);
        stopped = true;
        PumpingDelay(host, 60, kSeconds);
        output = RunCommand(host, "arp -a");
    });
    EXPECT_TRUE(KillThread(worker, 10000));
    EXPECT_TRUE(stopped.load());
    EXPECT_EQ(output, "");
    EXPECT_TRUE(clock.Pauses().empty());
    EXPECT_TRUE(commands.Calls().empty());
}

TEST_F(StoppedWorkerTest, DelayUnitsScaleTheAmount) {
    PumpingDelay(host, 50);
    PumpingDelay(host, 2, kSeconds);
    PumpingDelay(host, 1, kMinutes);
    PumpingDelay(host, 1, kHours);
    PumpingDelay(host, 3, 7);  // any other unit is the factor itself
    PumpingDelay(host, 0);
    EXPECT_EQ(clock.Pauses(), (std::vector<int64_t>{50, 2000, 60000, 3600000, 21}));
    EXPECT_EQ(clock.NowMs(), 50 + 2000 + 60000 + 3600000 + 21);
}

TEST_F(StoppedWorkerTest, RunCommandDecodesTheConsoleBytes) {
    commands.Set("netsh wlan stop hostednetwork", codec->Utf8ToGbk("已停止承载网络。\r\n"));
    EXPECT_EQ(RunCommand(host, "netsh wlan stop hostednetwork"), "已停止承载网络。\r\n");
    EXPECT_NE(RunCommand(host, "nosuchtool /x").find("不是内部或外部命令"), std::string::npos);
    EXPECT_EQ(commands.Calls(),
              (std::vector<std::string>{"netsh wlan stop hostednetwork", "nosuchtool /x"}));
}

}  // namespace
}  // namespace hs
