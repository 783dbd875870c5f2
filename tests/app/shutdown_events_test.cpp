// The timed shutdown: the delay and the label, the countdown on the driver's timers,
// the window shown at 45 seconds, sharing off at one second and the request two
// seconds later on the simulated laptop's power port; refused delays and a refused
// shutdown.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "app/shutdown_events.h"
#include "settings/shutdown.h"
#include "tests/hotspot/hotspot_support.h"

namespace hs::app {
namespace {

using hotspot::testing::Program;
using settings::Countdown;
using settings::CountdownFrom;
using settings::CountdownLabel;
using settings::ShutdownDelaySeconds;

constexpr const char* kWindows7 = "windows 7\nupstream 无线网络连接\n";

TEST(ShutdownDelay, MinutesWithDecimalsBecomeWholeSeconds) {
    EXPECT_EQ(ShutdownDelaySeconds("1"), 60);
    EXPECT_EQ(ShutdownDelaySeconds("180"), 10800);
    EXPECT_EQ(ShutdownDelaySeconds("1.5"), 90);
    EXPECT_EQ(ShutdownDelaySeconds("0.5"), 30);
    EXPECT_EQ(ShutdownDelaySeconds(".5"), 30);
    EXPECT_EQ(ShutdownDelaySeconds("2."), 120);
    EXPECT_EQ(ShutdownDelaySeconds(" 3 "), 180);
    EXPECT_EQ(ShutdownDelaySeconds("+1"), 60);
    // Truncated toward zero: 0.0999 minutes are 5.994 seconds.
    EXPECT_EQ(ShutdownDelaySeconds("0.0999"), 5);
    EXPECT_EQ(ShutdownDelaySeconds("0.01666666666666667"), 1);
    EXPECT_EQ(ShutdownDelaySeconds("007"), 420);
    EXPECT_EQ(ShutdownDelaySeconds("000000000000000000001"), 60);
}

TEST(ShutdownDelay, WhatIsNoPositiveNumberIsRefusedAndLessThanASecondGivesZero) {
    for (const char* text : {"", " ", "abc", "0", "0.0", "-5", "-0.5", "1e3", "1,5", "1.5.2",
                             "12abc", ".", "+", "1 2", "１８０", "9999999999999", "0.000"}) {
        EXPECT_EQ(ShutdownDelaySeconds(text), std::nullopt) << text;
    }
    // Greater than zero, but no whole second: told apart from the refused texts.
    for (const char* text : {"0.001", "0.016", "0.000000000000000000001"})
        EXPECT_EQ(ShutdownDelaySeconds(text), 0) << text;
    // The largest accepted number of minutes.
    EXPECT_EQ(ShutdownDelaySeconds("999999999999"), int64_t{999999999999} * 60);
}

TEST(ShutdownCountdown, LabelsHaveTwoDigitFieldsAndTheCountGoesDownBySeconds) {
    EXPECT_EQ(CountdownLabel(CountdownFrom(60)), "00时01分00秒后关机");
    EXPECT_EQ(CountdownLabel(CountdownFrom(10800)), "03时00分00秒后关机");
    EXPECT_EQ(CountdownLabel(CountdownFrom(5400)), "01时30分00秒后关机");
    EXPECT_EQ(CountdownLabel(CountdownFrom(30)), "00时00分30秒后关机");
    EXPECT_EQ(CountdownLabel(CountdownFrom(12 * 3600 + 5 * 60 + 9)), "12时05分09秒后关机");
    EXPECT_EQ(CountdownLabel(CountdownFrom(100 * 3600)), "100时00分00秒后关机");
    EXPECT_EQ(CountdownLabel(Countdown{}), "00时00分00秒后关机");

    Countdown c = CountdownFrom(3600);
    settings::TickDown(c);
    EXPECT_EQ(c, (Countdown{0, 59, 59}));
    c = Countdown{1, 0, 0};
    settings::TickDown(c);
    EXPECT_EQ(c, (Countdown{0, 59, 59}));
    c = Countdown{0, 2, 0};
    settings::TickDown(c);
    EXPECT_EQ(c, (Countdown{0, 1, 59}));
    c = Countdown{0, 0, 1};
    settings::TickDown(c);
    EXPECT_EQ(c, Countdown{});
    // At zero the countdown goes on from 59 seconds.
    settings::TickDown(c);
    EXPECT_EQ(c, (Countdown{0, 0, 59}));
}

// Forwards to the simulated laptop's power port and notes the moment of the request
// and what the laptop looked like then.
class WatchedPower : public Power {
  public:
    WatchedPower(Program& p, bool accept) : p_(p), accept_(accept) {}
    bool Shutdown() override {
        at.push_back(p_.clock.NowMs());
        snapshot = p_.laptop->Snapshot();
        label = p_.C("标签关机").Text();
        return accept_ ? inner->Shutdown() : false;
    }
    Power* inner = nullptr;
    std::vector<int64_t> at;
    sim::LaptopModel snapshot;
    std::string label;

  private:
    Program& p_;
    bool accept_;
};

struct Armed {
    explicit Armed(bool accept = true) : p(kWindows7), power(p, accept) {
        power.inner = p.host.power;
        p.host.power = &power;
        self().Move(100, 200, 380, 268);
        self().SetVisible(true);
    }
    ui::Control self() { return p.app->Main().Self(); }
    std::string Label() { return p.C("标签关机").Text(); }
    void Arm(const std::string& minutes) {
        ASSERT_TRUE(p.driver->Type("编辑框关机", minutes));
        if (p.C("选择框关机").Checked()) {
            ASSERT_TRUE(p.driver->Click("选择框关机"));
        }
        ASSERT_TRUE(p.driver->Click("选择框关机"));
    }
    Program p;
    WatchedPower power;
};

TEST(TimedShutdown, OneMinuteShowsTheWindowAt45AndShutsDownAfterSharingIsOff) {
    Armed a;
    a.p.Idle(5, "无线网络连接");
    a.p.PressStart();
    ASSERT_TRUE(a.p.laptop->Snapshot().hosted.started);

    a.Arm("1");
    EXPECT_TRUE(a.p.C("标签关机").Visible());
    EXPECT_EQ(a.Label(), "00时01分00秒后关机");
    EXPECT_EQ(a.p.C("时钟关机").Interval(), kShutdownTickMs);
    a.p.driver->AdvanceTimers(1000);
    EXPECT_EQ(a.Label(), "00时00分59秒后关机");

    // Hidden to the notification area meanwhile: it comes back at 45 seconds left.
    ASSERT_TRUE(a.p.driver->Click("按钮右下角"));
    a.p.driver->AdvanceTimers(13000);
    EXPECT_EQ(a.Label(), "00时00分46秒后关机");
    EXPECT_FALSE(a.self().Visible());
    a.p.driver->AdvanceTimers(1000);
    EXPECT_EQ(a.Label(), "00时00分45秒后关机");
    EXPECT_TRUE(a.self().Visible());
    EXPECT_EQ(a.self().PositionMode(), ui::kPositionCentred);

    a.p.driver->AdvanceTimers(43000);
    EXPECT_EQ(a.Label(), "00时00分02秒后关机");
    EXPECT_TRUE(a.power.at.empty());
    EXPECT_TRUE(a.p.laptop->Snapshot().hosted.allowed);

    const int64_t before = a.p.clock.NowMs();
    a.p.driver->AdvanceTimers(1000);
    EXPECT_EQ(a.Label(), "00时00分01秒后关机");
    EXPECT_EQ(a.p.C("时钟关机").Interval(), 0);
    // The return to idle and the pause run on workers: nothing is asked yet.
    EXPECT_TRUE(a.power.at.empty());
    a.p.app->Settle();
    ASSERT_EQ(a.power.at.size(), 1u);
    EXPECT_EQ(a.p.laptop->Snapshot().shutdownRequests, 1);
    // Sharing was off and the hosted network disallowed before the request, which
    // came two seconds after the tick.
    EXPECT_FALSE(a.power.snapshot.hosted.allowed);
    for (const sim::SimConnection& c : a.power.snapshot.connections)
        EXPECT_FALSE(c.sharingEnabled) << c.name;
    EXPECT_EQ(a.p.C("按钮开始").Text(), "开启共享");
    EXPECT_GE(a.power.at[0] - before, kShutdownPauseMs);
    const std::vector<int64_t> pauses = a.p.Pauses();
    ASSERT_FALSE(pauses.empty());
    EXPECT_EQ(pauses.back(), kShutdownPauseMs);
    // The box stays checked; nothing more happens.
    EXPECT_TRUE(a.p.C("选择框关机").Checked());
    a.p.driver->AdvanceTimers(10000);
    EXPECT_EQ(a.Label(), "00时00分01秒后关机");
    EXPECT_EQ(a.p.laptop->Snapshot().shutdownRequests, 1);
    EXPECT_TRUE(a.p.messages.empty());
}

TEST(TimedShutdown, LongerDelaysCountDownAcrossHoursAndMinutes) {
    Armed a;
    a.Arm("180");
    EXPECT_EQ(a.Label(), "03时00分00秒后关机");
    a.p.driver->AdvanceTimers(1000);
    EXPECT_EQ(a.Label(), "02时59分59秒后关机");
    a.p.driver->AdvanceTimers(3599 * 1000);
    EXPECT_EQ(a.Label(), "02时00分00秒后关机");
    a.p.driver->AdvanceTimers(1000);
    EXPECT_EQ(a.Label(), "01时59分59秒后关机");

    a.Arm("90");
    EXPECT_EQ(a.Label(), "01时30分00秒后关机");
    a.Arm("0.5");
    EXPECT_EQ(a.Label(), "00时00分30秒后关机");
    a.p.driver->AdvanceTimers(29000);
    a.p.app->Settle();
    EXPECT_EQ(a.p.laptop->Snapshot().shutdownRequests, 1);
    EXPECT_EQ(a.Label(), "00时00分01秒后关机");
}

TEST(TimedShutdown, UncheckingStopsTheCountdownAndCheckingRestartsFromTheBox) {
    Armed a;
    a.Arm("1");
    a.p.driver->AdvanceTimers(10000);
    EXPECT_EQ(a.Label(), "00时00分50秒后关机");
    ASSERT_TRUE(a.p.driver->Click("选择框关机"));
    EXPECT_FALSE(a.p.C("标签关机").Visible());
    EXPECT_EQ(a.p.C("时钟关机").Interval(), 0);
    EXPECT_EQ(a.p.driver->AdvanceTimers(120000), 0);
    EXPECT_EQ(a.Label(), "00时00分50秒后关机");
    EXPECT_EQ(a.p.laptop->Snapshot().shutdownRequests, 0);

    ASSERT_TRUE(a.p.driver->Type("编辑框关机", "2"));
    ASSERT_TRUE(a.p.driver->Click("选择框关机"));
    EXPECT_TRUE(a.p.C("标签关机").Visible());
    EXPECT_EQ(a.Label(), "00时02分00秒后关机");
    a.p.driver->AdvanceTimers(1000);
    EXPECT_EQ(a.Label(), "00时01分59秒后关机");
}

TEST(TimedShutdown, ADelayThatIsNoPositiveNumberOrUnderASecondIsRefusedWithABalloon) {
    struct Case {
        const char* text;
        const char* balloon;
    };
    for (const Case& refused :
         {Case{"abc", kBadDelayBalloon}, Case{"0", kBadDelayBalloon}, Case{"-3", kBadDelayBalloon},
          Case{"", kBadDelayBalloon}, Case{"0.001", kShortDelayBalloon}}) {
        SCOPED_TRACE(refused.text);
        Armed a;
        ui::Control balloon = a.p.C("气球提示框1");
        a.Arm(refused.text);
        EXPECT_TRUE(balloon.BalloonShown());
        EXPECT_EQ(balloon.Document(), refused.balloon);
        EXPECT_EQ(balloon.BalloonX(), a.self().Left() + 100);
        EXPECT_EQ(balloon.BalloonY(), a.self().Top() + 252);
        EXPECT_FALSE(a.p.C("选择框关机").Checked());
        EXPECT_FALSE(a.p.C("标签关机").Visible());
        EXPECT_EQ(a.p.C("时钟关机").Interval(), 0);
        EXPECT_EQ(a.p.driver->AdvanceTimers(120000), 0);
        a.p.app->Settle();
        EXPECT_TRUE(a.power.at.empty());
        // A number typed afterwards arms as usual.
        a.Arm("1");
        EXPECT_EQ(a.Label(), "00时01分00秒后关机");
        EXPECT_TRUE(a.p.C("选择框关机").Checked());
    }
}

// Every delay from one second to two minutes, typed in minutes as a user would
// ("0.02" is 1.2 s, one whole second): the label counts down from the delay to one
// second, one step a tick, never showing zero or wrapping; at one second left the
// countdown stops and the shutdown is asked for once, after the pause.
TEST(TimedShutdown, EveryDelayUpToTwoMinutesShutsDownAfterItsOwnCountdown) {
    Armed a;
    auto label = [](int left) {
        char text[64];
        std::snprintf(text, sizeof text, "00时%02d分%02d秒后关机", left / 60, left % 60);
        return std::string(text);
    };
    for (int delay = 1; delay <= 120; ++delay) {
        SCOPED_TRACE(delay);
        // Half a second more than the whole seconds wanted, so the truncation is clear.
        char minutes[32];
        std::snprintf(minutes, sizeof minutes, "%.6f", (delay + 0.5) / 60.0);
        const int requestsBefore = a.p.laptop->Snapshot().shutdownRequests;
        a.Arm(delay == 1 ? "0.02" : minutes);
        std::vector<std::string> shown{a.Label()};
        int ticks = 0;
        while (a.p.C("时钟关机").Interval() != 0 && ticks <= delay + 60) {
            a.p.driver->AdvanceTimers(kShutdownTickMs);
            ++ticks;
            shown.push_back(a.Label());
        }
        std::vector<std::string> expected;
        for (int left = delay; left >= 1; --left)
            expected.push_back(label(left));
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(ticks, delay - 1);
        a.p.app->Settle();
        EXPECT_EQ(a.p.laptop->Snapshot().shutdownRequests, requestsBefore + 1);
        const std::vector<int64_t> pauses = a.p.Pauses();
        ASSERT_FALSE(pauses.empty());
        EXPECT_EQ(pauses.back(), kShutdownPauseMs);
        EXPECT_TRUE(a.p.C("选择框关机").Checked());
    }
    EXPECT_TRUE(a.p.messages.empty());
}

TEST(TimedShutdown, ARefusedShutdownIsReportedAndDisarms) {
    Armed a(false);
    a.Arm("0.05");  // 3 seconds
    EXPECT_EQ(a.Label(), "00时00分03秒后关机");
    a.p.driver->AdvanceTimers(2000);
    a.p.app->Settle();
    ASSERT_EQ(a.power.at.size(), 1u);
    EXPECT_EQ(a.p.laptop->Snapshot().shutdownRequests, 0);
    ASSERT_EQ(a.p.messages.size(), 1u);
    EXPECT_EQ(a.p.messages[0].text, kShutdownRefusedText);
    EXPECT_EQ(a.p.messages[0].caption, kShutdownRefusedCaption);
    EXPECT_EQ(a.p.messages[0].flags, 0x10);
    EXPECT_FALSE(a.p.C("选择框关机").Checked());
    EXPECT_FALSE(a.p.C("标签关机").Visible());
    EXPECT_EQ(a.p.C("时钟关机").Interval(), 0);
    // Armed again, it counts as before.
    a.Arm("1");
    EXPECT_EQ(a.Label(), "00时01分00秒后关机");
    EXPECT_EQ(a.p.C("时钟关机").Interval(), kShutdownTickMs);
}

// Holds the pause before the shutdown request until its worker is asked to stop.
class HeldPause : public hs::Clock {
  public:
    explicit HeldPause(hs::Clock& inner) : inner_(inner) {}
    int64_t NowMs() override { return inner_.NowMs(); }
    void Delay(int64_t ms, const StopSignal* stop) override {
        if (ms != kShutdownPauseMs || stop == nullptr)
            return inner_.Delay(ms, stop);
        held = true;
        for (int i = 0; i < 3000 && !stop->WaitFor(10); ++i) {
        }
    }
    std::atomic<bool> held{false};

  private:
    hs::Clock& inner_;
};

TEST(TimedShutdown, ClosingTheProgramDuringTheLastPauseNeverShutsDown) {
    Armed a;
    HeldPause pause(*a.p.host.clock);
    a.p.host.clock = &pause;
    a.Arm("0.05");  // 3 seconds
    a.p.driver->AdvanceTimers(2000);
    while (!pause.held)
        a.p.dispatcher.Pump();
    ASSERT_TRUE(a.p.driver->Close());
    a.p.app->Settle();
    EXPECT_EQ(a.p.quitCodes, (std::vector<int>{0}));
    EXPECT_TRUE(a.power.at.empty());
    EXPECT_EQ(a.p.laptop->Snapshot().shutdownRequests, 0);
    EXPECT_FALSE(a.p.laptop->Snapshot().hosted.allowed);
}

}  // namespace
}  // namespace hs::app
