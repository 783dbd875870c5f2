// Ping and reverse lookup under Wine, on the loopback address only; and the worker
// that lets a caller give up on a blocking call.
#include "platform/windows/network_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "platform/windows/stoppable_call.h"

namespace hs {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(WindowsNetworkProbe, TheLoopbackAddressAnswersAPing) {
    win::WindowsNetworkProbe probe;
    EXPECT_TRUE(probe.Ping("127.0.0.1", 3000, nullptr));
    StopSignal stop;
    EXPECT_TRUE(probe.Ping("127.0.0.1", 3000, &stop));
}

TEST(WindowsNetworkProbe, RefusesWhatIsNotAnAddressAndReturnsAtOnceWhenStopped) {
    win::WindowsNetworkProbe probe;
    EXPECT_FALSE(probe.Ping("", 1000, nullptr));
    EXPECT_FALSE(probe.Ping("localhost", 1000, nullptr));
    EXPECT_FALSE(probe.Ping("127.0.0.256", 1000, nullptr));
    EXPECT_FALSE(probe.Ping("127.0.0.1 ", 1000, nullptr));

    StopSignal stop;
    stop.Request();
    EXPECT_FALSE(probe.Ping("127.0.0.1", 3000, &stop));
}

TEST(WindowsNetworkProbe, ReverseLookupGivesANameOrNothing) {
    win::WindowsNetworkProbe probe;
    const auto start = Clock::now();
    const std::string name = probe.HostName("127.0.0.1");
    // Never the address itself in place of a name.
    EXPECT_NE(name, "127.0.0.1");
    EXPECT_EQ(name.find('\0'), std::string::npos);
    EXPECT_LT(SecondsSince(start), 30.0);

    EXPECT_EQ(probe.HostName(""), "");
    EXPECT_EQ(probe.HostName("not an address"), "");
    EXPECT_EQ(probe.HostName("::1"), "");
}

TEST(RunUnlessStopped, GivesTheResultOrGivesUpAtOnceOnAStop) {
    win::CallOwner owner;
    // Without a stop signal the work runs on the calling thread.
    const std::thread::id caller = std::this_thread::get_id();
    std::optional<bool> here = win::RunUnlessStopped<bool>(
        owner, nullptr,
        [caller](const std::atomic<bool>&) { return std::this_thread::get_id() == caller; });
    ASSERT_TRUE(here.has_value());
    EXPECT_TRUE(*here);

    StopSignal idle;
    std::optional<int> value =
        win::RunUnlessStopped<int>(owner, &idle, [](const std::atomic<bool>&) { return 42; });
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, 42);

    // Work that would take five seconds: the stop ends the wait, and the work learns
    // that it was abandoned.
    auto sawAbandon = std::make_shared<std::atomic<bool>>(false);
    StopSignal stop;
    std::thread stopper([&] {
        Sleep(100);
        stop.Request();
    });
    const auto start = Clock::now();
    std::optional<int> stopped =
        win::RunUnlessStopped<int>(owner, &stop, [sawAbandon](const std::atomic<bool>& abandoned) {
            for (int i = 0; i < 500 && !abandoned.load(); ++i)
                Sleep(10);
            sawAbandon->store(abandoned.load());
            return 7;
        });
    stopper.join();
    EXPECT_FALSE(stopped.has_value());
    EXPECT_LT(SecondsSince(start), 3.0);
    for (int i = 0; i < 300 && !sawAbandon->load(); ++i)
        Sleep(10);
    EXPECT_TRUE(sawAbandon->load());

    // A deadline gives up the same way, with or without a stop signal.
    const auto deadlineStart = Clock::now();
    std::optional<int> late = win::RunUnlessStopped<int>(
        owner, nullptr,
        [](const std::atomic<bool>& abandoned) {
            for (int i = 0; i < 500 && !abandoned.load(); ++i)
                Sleep(10);
            return 7;
        },
        200);
    EXPECT_FALSE(late.has_value());
    EXPECT_LT(SecondsSince(deadlineStart), 3.0);
    // The calls given up on are still owned: they end by themselves and the owner
    // joins them when it goes (here, at the end of the test).
}

}  // namespace
}  // namespace hs
