// The Windows clock's delay under Wine, through the portable Delay.
#include "platform/windows/windows_clock.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "platform/windows/windows_host.h"
#include "sys/delay.h"
#include "sys/worker.h"

namespace hs {
namespace {

using Steady = std::chrono::steady_clock;

int64_t MsSince(Steady::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - start).count();
}

class DelayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // Gives the thread its queue.
    }
    // Posts `message` to this thread from another one after `afterMs`.
    std::thread PostLater(UINT message, WPARAM wParam, int afterMs) {
        const DWORD thread = GetCurrentThreadId();
        return std::thread([=] {
            Sleep(afterMs);
            PostThreadMessageW(thread, message, wParam, 0);
        });
    }
    win::WindowsHost windows;
    Host& host = windows.host();
};

TEST_F(DelayTest, WaitsItsTimeAndLeavesTheMessagesThatArriveInTheQueue) {
    const int64_t before = host.clock->NowMs();
    const auto start = Steady::now();
    std::thread poster = PostLater(WM_APP, 7, 50);
    Delay(host, 300);
    poster.join();
    EXPECT_GE(MsSince(start), 250) << "a message must not end the delay";
    EXPECT_GE(host.clock->NowMs() - before, 250);
    // No handler runs inside a wait: the message is still there for the thread's own
    // message loop, and nothing else was put in the queue.
    MSG msg;
    std::vector<std::pair<UINT, WPARAM>> left;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        left.emplace_back(msg.message, msg.wParam);
    EXPECT_EQ(left, (std::vector<std::pair<UINT, WPARAM>>{{WM_APP, 7}}));
}

TEST_F(DelayTest, AStoppedWorkerReturnsFromALongDelayAtOnce) {
    std::atomic<bool> started{false};
    std::atomic<bool> returned{false};
    Task worker;
    worker.Start([&] {
        started = true;
        Delay(host, 60000);
        returned = true;
    });
    while (!started)
        Sleep(1);
    Sleep(100);
    const auto stopAt = Steady::now();
    worker.RequestStop();
    EXPECT_TRUE(worker.WaitFor(5000));
    EXPECT_TRUE(returned.load());
    EXPECT_LT(MsSince(stopAt), 1000);
    worker.Join();  // The flags must outlive the worker whatever happened.
}

TEST_F(DelayTest, ADelayWithAStopAlreadyRequestedDoesNotWait) {
    win::WindowsClock clock;
    StopSignal stop;
    stop.Request();
    const auto start = Steady::now();
    clock.Delay(60000, &stop);
    EXPECT_LT(MsSince(start), 1000);
}

}  // namespace
}  // namespace hs
