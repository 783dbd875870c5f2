#include "sys/worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/native_codec.h"
#include "platform/sim/canned_commands.h"
#include "platform/sim/virtual_clock.h"
#include "sys/command.h"
#include "sys/delay.h"
#include "sys/dispatcher.h"

namespace hs {
namespace {

TEST(Task, RunsTheProcedureAndIsJoined) {
    std::atomic<int> ran{0};
    Task task;
    EXPECT_FALSE(task.Running());
    task.Start([&] { ran = 1; });
    task.Join();
    EXPECT_EQ(ran.load(), 1);
    EXPECT_FALSE(task.Running());
    EXPECT_TRUE(task.WaitFor(0));
}

TEST(Task, AStopIsSeenByTheWorkerAndWaitedFor) {
    std::atomic<bool> sawStop{false};
    std::atomic<bool> started{false};
    Task task;
    task.Start([&] {
        started = true;
        while (!StopRequested())
            CurrentStop()->WaitFor(1000);
        sawStop = true;
    });
    while (!started)
        std::this_thread::yield();
    EXPECT_TRUE(task.Running());
    EXPECT_FALSE(StopWasRequested(nullptr));
    task.RequestStop();
    EXPECT_TRUE(StopWasRequested(task.Current()));
    EXPECT_TRUE(task.WaitFor(10000));
    EXPECT_TRUE(sawStop.load());
}

TEST(Task, AWorkerThatIgnoresTheStopStaysOwnedUntilItEnds) {
    std::atomic<bool> release{false};
    std::atomic<int> ended{0};
    Task task;
    task.Start([&] {
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ++ended;
    });
    task.RequestStop();
    EXPECT_FALSE(task.WaitFor(20));
    EXPECT_TRUE(task.Running());
    // A new run starts beside the old one, which is kept until it has ended.
    task.Start([&] { ++ended; });
    release = true;
    task.Join();
    EXPECT_EQ(ended.load(), 2);
    EXPECT_FALSE(task.Running());
}

TEST(Task, StartingAgainStopsTheRunBeforeAndTheDestructorJoins) {
    std::atomic<int> stopped{0};
    {
        Task task;
        for (int i = 0; i < 3; ++i) {
            task.Start([&] {
                while (!StopRequested())
                    CurrentStop()->WaitFor(1000);
                ++stopped;
            });
        }
    }
    EXPECT_EQ(stopped.load(), 3);
}

TEST(Task, OutsideAWorkerThereIsNoStop) {
    EXPECT_EQ(CurrentStop(), nullptr);
    EXPECT_EQ(CurrentRun(), nullptr);
    EXPECT_FALSE(StopRequested());
}

TEST(Dispatcher, PostedResultsRunOnThePumpingThreadInOrderAndStoppedRunsAreDropped) {
    QueueDispatcher window;
    std::vector<std::string> applied;  // touched by the pumping thread only
    window.Post([&] { applied.push_back("from the window thread"); });
    Task task;
    std::atomic<bool> posted{false};
    task.Start([&] {
        window.Post([&] { applied.push_back("first"); });
        window.Post([&] { applied.push_back("second"); });
        posted = true;
        while (!StopRequested())
            CurrentStop()->WaitFor(1000);
        window.Post([&] { applied.push_back("after the stop"); });
    });
    while (!posted)
        std::this_thread::yield();
    window.Pump();
    EXPECT_EQ(applied, (std::vector<std::string>{"from the window thread", "first", "second"}));
    task.RequestStop();
    task.Join();
    window.Pump();
    EXPECT_EQ(applied.size(), 3u);
    EXPECT_TRUE(window.Idle());
}

TEST(Dispatcher, AResultPostedBeforeTheStopButNotYetAppliedIsDropped) {
    QueueDispatcher window;
    int applied = 0;
    Task task;
    task.Start([&] { window.Post([&] { ++applied; }); });
    task.Join();
    task.RequestStop();  // superseded before the window thread got to it
    window.Pump();
    EXPECT_EQ(applied, 0);
}

TEST(Dispatcher, AskWindowWaitsForTheAnswerAndGivesUpOnAStop) {
    QueueDispatcher window;
    Task task;
    std::atomic<int> answer{-1};
    task.Start([&] {
        answer = AskWindow(
            window, [] { return 6; }, 0);
    });
    while (answer.load() == -1)
        window.Pump();
    task.Join();
    EXPECT_EQ(answer.load(), 6);

    // Nobody answers: the stop ends the wait with the fallback.
    task.Start([&] {
        answer = AskWindow(
            window, [] { return 6; }, 7);
    });
    task.RequestStop();
    task.Join();
    EXPECT_EQ(answer.load(), 7);
    window.Pump();  // the question was dropped
    // On the window thread itself it is asked at once.
    EXPECT_EQ(AskWindow(
                  window, [] { return 1; }, 0),
              1);
}

TEST(Task, RunsAddedBesideGoOnAndAnotherThreadCanWaitForThem) {
    std::atomic<bool> release{false};
    std::atomic<int> ended{0};
    Task task("block");
    std::string name;
    task.Add([&] {
        name = CurrentTaskName();
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ++ended;
    });
    const std::vector<RunToken> first = task.Runs();
    task.Add([&] { ++ended; });
    EXPECT_FALSE(StopWasRequested(first.front()));  // not superseded
    EXPECT_FALSE(WaitForRuns(first, 20));
    release = true;
    EXPECT_TRUE(WaitForRuns(first, 10000));
    task.Join();
    EXPECT_EQ(ended.load(), 2);
    EXPECT_EQ(name, "block");
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
    Task worker;
    worker.Start([&] {
        while (!StopRequested())
            CurrentStop()->WaitFor(1000);
        stopped = true;
        Delay(host, 60000);
        output = RunCommand(host, "arp -a");
    });
    worker.RequestStop();
    EXPECT_TRUE(worker.WaitFor(10000));
    EXPECT_TRUE(stopped.load());
    EXPECT_EQ(output, "");
    EXPECT_TRUE(clock.Pauses().empty());
    EXPECT_TRUE(commands.Calls().empty());
}

TEST_F(StoppedWorkerTest, ContinueAfterPausesOnAWorkerAndAStopDropsTheRest) {
    QueueDispatcher window;
    Task timer;
    int continued = 0;
    ContinueAfter(timer, host, window, 200, [&] { ++continued; });
    timer.Join();
    window.Pump();
    EXPECT_EQ(continued, 1);
    EXPECT_EQ(clock.Pauses(), (std::vector<int64_t>{200}));

    ContinueAfter(timer, host, window, 200, [&] { ++continued; });
    timer.RequestStop();
    timer.Join();
    window.Pump();
    EXPECT_EQ(continued, 1);
}

TEST_F(StoppedWorkerTest, ACommandOrAPauseOnTheWindowThreadIsAProgrammingError) {
#ifdef NDEBUG
    GTEST_SKIP() << "the check is compiled into debug and test builds only";
#endif
    EXPECT_DEATH(
        {
            WindowThreadScope window;
            RunCommand(host, "netsh wlan stop hostednetwork");
        },
        "window thread");
    EXPECT_DEATH(
        {
            WindowThreadScope window;
            Delay(host, 2000);
        },
        "window thread");
    // A worker started from the window thread may wait.
    WindowThreadScope window;
    EXPECT_EQ(CurrentTaskName(), "window");
    Task worker("stop");
    worker.Start([&] { Delay(host, 50); });
    worker.Join();
    EXPECT_EQ(clock.Pauses(), (std::vector<int64_t>{50}));
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
