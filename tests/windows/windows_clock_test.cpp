// The Windows clock's pumping delay under Wine, through the portable PumpingDelay.
#include "platform/windows/windows_clock.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/windows/windows_host.h"
#include "sys/delay.h"
#include "sys/worker.h"

namespace hs {
namespace {

using Steady = std::chrono::steady_clock;

int64_t MsSince(Steady::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - start).count();
}

class PumpingDelayTest : public ::testing::Test {
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

TEST_F(PumpingDelayTest, WaitsItsTimeWhileProcessingTheMessagesThatArrive) {
    const int64_t before = host.clock->NowMs();
    const auto start = Steady::now();
    std::thread poster = PostLater(WM_APP, 0, 50);
    EXPECT_TRUE(PumpingDelay(host, 300));
    poster.join();
    EXPECT_GE(MsSince(start), 250) << "a message must not end the delay";
    EXPECT_GE(host.clock->NowMs() - before, 250);
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "a message was left in the queue";
}

TEST_F(PumpingDelayTest, AQuitMessageArrivingDuringTheDelayIsKeptForTheMessageLoop) {
    const auto start = Steady::now();
    std::thread poster = PostLater(WM_QUIT, 7, 30);
    PumpingDelay(host, 300);
    poster.join();
    EXPECT_GE(MsSince(start), 250);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(PumpingDelayTest, AStoppedWorkerReturnsFromALongDelayAtOnce) {
    std::atomic<bool> started{false};
    std::atomic<bool> returned{false};
    Task worker;
    worker.Start([&] {
        started = true;
        PumpingDelay(host, 60, kSeconds);
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

TEST_F(PumpingDelayTest, ADelayWithAStopAlreadyRequestedDoesNotWait) {
    win::WindowsClock clock;
    StopSignal stop;
    stop.Request();
    const auto start = Steady::now();
    clock.Delay(60000, &stop);
    EXPECT_LT(MsSince(start), 1000);
}

}  // namespace
}  // namespace hs
