// The start and the preparation against the window thread: a stop or an exit at every
// step of a start ends in the idle window with every worker joined and nothing of the
// stopped run shown afterwards; a double click starts once; an exit while a port call
// hangs still ends the program and destroys nothing the worker uses.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "app/exit.h"
#include "hotspot/stop_sharing.h"
#include "tests/hotspot/hotspot_support.h"

namespace hs::hotspot::testing {
namespace {

using Clock = std::chrono::steady_clock;

// Counts the steps a worker makes (its commands and pauses) and holds the worker at
// one of them until its run is asked to stop, or, when `ignoreStop`, until released.
class Gate {
  public:
    explicit Gate(int holdAt, bool ignoreStop = false) : holdAt_(holdAt), ignoreStop_(ignoreStop) {}

    void Step(const StopSignal* stop) {
        if (stop == nullptr)
            return;  // the window thread's own calls are never held
        std::unique_lock<std::mutex> lock(mutex_);
        if (++steps_ != holdAt_)
            return;
        held_ = true;
        changed_.notify_all();
        // A stop is no notification of this gate: look every few milliseconds.
        const auto until = Clock::now() + std::chrono::seconds(30);
        while (!released_ && !(!ignoreStop_ && stop->Requested()) && Clock::now() < until)
            changed_.wait_for(lock, std::chrono::milliseconds(2));
        held_ = false;
        changed_.notify_all();
    }
    // Waits until a worker is held; false when the run ended without reaching the step.
    bool WaitHeld(const std::function<bool()>& running) {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!held_) {
            lock.unlock();
            if (!running())
                return false;
            lock.lock();
            changed_.wait_for(lock, std::chrono::milliseconds(2));
        }
        return true;
    }
    bool Held() {
        std::lock_guard<std::mutex> lock(mutex_);
        return held_;
    }
    void Release() {
        std::lock_guard<std::mutex> lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }
    int Steps() {
        std::lock_guard<std::mutex> lock(mutex_);
        return steps_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    const int holdAt_;
    const bool ignoreStop_;
    int steps_ = 0;
    bool held_ = false;
    bool released_ = false;
};

class GatedClock : public hs::Clock {
  public:
    GatedClock(hs::Clock& inner, Gate& gate) : inner_(inner), gate_(gate) {}
    int64_t NowMs() override { return inner_.NowMs(); }
    void Delay(int64_t ms, const StopSignal* stop) override {
        gate_.Step(stop);
        inner_.Delay(ms, stop);
    }

  private:
    hs::Clock& inner_;
    Gate& gate_;
};

class GatedCommands : public CommandRunner {
  public:
    GatedCommands(CommandRunner& inner, Gate& gate) : inner_(inner), gate_(gate) {}
    bool Run(const std::string& line, const StopSignal* stop, std::string& output) override {
        gate_.Step(stop);
        return inner_.Run(line, stop, output);
    }

  private:
    CommandRunner& inner_;
    Gate& gate_;
};

constexpr const char* kWindows7 = "windows 7\nupstream 无线网络连接\n";
constexpr const char* kWindows8 = "windows 8\nupstream Wi-Fi\n";

// A program whose start is held at step `holdAt` of its worker.
struct GatedProgram {
    GatedProgram(const char* scenario, int holdAt, bool ignoreStop = false)
        : gate(holdAt, ignoreStop),
          program(scenario),
          clock(*program.host.clock, gate),
          commands(*program.host.commands, gate) {
        // The ports are swapped before the program reads the host; App keeps a
        // reference to Program::host, so the gated ones are what every procedure uses.
        program.host.clock = &clock;
        program.host.commands = &commands;
        program.Idle(scenario == kWindows8 ? 6 : 5,
                     scenario == kWindows8 ? "Wi-Fi" : "无线网络连接");
        program.C("单选框监控").SetChecked(true);
    }
    bool Running() { return program.app->WorkersRunning(); }

    Gate gate;
    Program program;
    GatedClock clock;
    GatedCommands commands;
};

// The window once everything is idle again: no timer of the start runs.
void ExpectIdle(Program& p) {
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_TRUE(p.C("按钮开始").Enabled());
    EXPECT_EQ(p.C("标签9").Text(), "未启动");
    for (const char* timer : {"时钟状态", "时钟循环列表", "时钟流量条延时", "时钟启动成功提示"})
        EXPECT_EQ(p.C(timer).Interval(), 0) << timer;
    EXPECT_FALSE(p.Session().sharingCompleted);
    EXPECT_FALSE(p.C("标签启动成功").Visible());
    EXPECT_FALSE(p.laptop->Snapshot().hosted.allowed);
}

// How many steps a whole start takes on its worker.
int StepsOfAStart(const char* scenario) {
    GatedProgram g(scenario, -1);
    g.program.PressStart();
    EXPECT_TRUE(g.program.Session().sharingCompleted);
    return g.gate.Steps();
}

TEST(StartConcurrency, ResetToIdleAtEveryStepOfEitherPathEndsIdleWithNothingLate) {
    for (const char* scenario : {kWindows7, kWindows8}) {
        const int steps = StepsOfAStart(scenario);
        ASSERT_GT(steps, 10);
        for (int k = 1; k <= steps; ++k) {
            SCOPED_TRACE(std::string(scenario) + " step " + std::to_string(k));
            GatedProgram g(scenario, k);
            Program& p = g.program;
            ASSERT_TRUE(p.driver->Click("按钮开始"));
            ASSERT_TRUE(g.gate.WaitHeld([&] { return g.Running(); }));
            ResetToIdle(p.H());
            p.app->Settle();
            EXPECT_FALSE(p.H().startTask.Running());
            ExpectIdle(p);
            // Nothing the stopped run found reaches the window later.
            int late = 0;
            const int observer =
                p.app->Main().AddObserver([&](ui::Control, ui::Property) { ++late; });
            p.app->Settle();
            p.app->Main().RemoveObserver(observer);
            EXPECT_EQ(late, 0);
        }
    }
}

TEST(StartConcurrency, ExitingDuringAStartOrThePreparationJoinsEveryWorker) {
    // During the start, at a pause of the sharing wait and at a command.
    for (int k : {3, 9}) {
        SCOPED_TRACE(k);
        GatedProgram g(kWindows7, k);
        Program& p = g.program;
        ASSERT_TRUE(p.driver->Click("按钮开始"));
        ASSERT_TRUE(g.gate.WaitHeld([&] { return g.Running(); }));
        p.app->Main().Self().SetVisible(true);
        p.app->Main().SetTrayIcon(ui::kPictureTrayIdle, "未开启共享");
        ASSERT_TRUE(p.driver->Choose("退出"));
        // The tray icon goes at once; the rest of the exit runs on workers.
        EXPECT_FALSE(p.app->Main().TrayShown());
        p.app->Settle();
        EXPECT_FALSE(p.app->WorkersRunning());
        EXPECT_EQ(p.quitCodes, (std::vector<int>{0}));
        EXPECT_FALSE(p.app->Main().TrayShown());
        ExpectIdle(p);
    }
    // During the preparation: closing the window.
    GatedProgram g(kWindows7, 2);
    Program& p = g.program;
    StartBackgroundPreparation(p.H());
    ASSERT_TRUE(g.gate.WaitHeld([&] { return g.Running(); }));
    ASSERT_TRUE(p.driver->Close());
    p.app->Settle();
    EXPECT_FALSE(p.app->WorkersRunning());
    EXPECT_EQ(p.quitCodes, (std::vector<int>{0}));
    p.app->Settle();
    // The preparation never got as far as the idle button.
    EXPECT_NE(p.C("按钮开始").Text(), "关闭共享");
}

TEST(StartConcurrency, TheStopButtonDuringTheLastPauseEndsTheStart) {
    // The last pause (5000 ms before the statistics request) is the last step.
    const int steps = StepsOfAStart(kWindows7);
    GatedProgram g(kWindows7, steps - 0);
    Program& p = g.program;
    ASSERT_TRUE(p.driver->Click("按钮开始"));
    ASSERT_TRUE(g.gate.WaitHeld([&] { return g.Running(); }));
    // Wait until the success is shown, then press "关闭共享".
    for (int i = 0; i < 5000 && p.C("按钮开始").Text() != "关闭共享"; ++i) {
        p.dispatcher.Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(p.C("按钮开始").Text(), "关闭共享");
    ASSERT_TRUE(p.driver->Click("按钮开始"));
    p.app->Settle();
    EXPECT_EQ(p.C("按钮开始").Text(), "开启共享");
    EXPECT_EQ(p.C("时钟循环列表").Interval(), 0);
    EXPECT_TRUE(p.laptop->Snapshot().httpRequests.empty());  // no statistics request
}

TEST(StartConcurrency, ADoubleClickStartsOnce) {
    Program p(kWindows7);
    p.Idle(5, "无线网络连接");
    EXPECT_TRUE(p.driver->Click("按钮开始"));
    EXPECT_FALSE(p.driver->Click("按钮开始"));  // disabled by the first click
    p.app->Settle();
    int configures = 0;
    for (const std::string& line : p.Commands())
        configures += line.rfind("netsh wlan set hostednetwork mode=allow", 0) == 0;
    EXPECT_EQ(configures, 1);
    EXPECT_EQ(p.C("按钮开始").Text(), "关闭共享");
}

TEST(StartConcurrency, AnExitWhileAPortCallHangsEndsWithoutSwitchingSharingOffUnderIt) {
    Gate gate(4, /*ignoreStop=*/true);
    Program p(kWindows7);
    GatedClock clock(*p.host.clock, gate);
    GatedCommands commands(*p.host.commands, gate);
    p.host.clock = &clock;
    p.host.commands = &commands;
    QueueDispatcher dispatcher;
    // A program of its own on the counting dispatcher.
    auto app = std::make_unique<app::App>(p.host, dispatcher);
    app->quitHook = [&](int code) { p.quitCodes.push_back(code); };
    app->Hotspot().osVersionCode = 5;
    ui::Window& main = app->Main();
    main["按钮开始"].SetText("开启共享");
    main["按钮开始"].SetEnabled(true);
    main["组合框1"].SetText("无线网络连接");
    main["编辑框名称"].SetText("mylove");
    main["编辑框密码"].SetText("5802741639");
    main.Self().SetVisible(true);
    auto driver = std::make_unique<ui::Driver>(main);
    ASSERT_TRUE(driver->Click("按钮开始"));
    ASSERT_TRUE(gate.WaitHeld([&] { return app->WorkersRunning(); }));

    const size_t connectionsCalls = p.laptop->Snapshot().commands.size();
    const auto before = Clock::now();
    ASSERT_TRUE(driver->Choose("退出"));
    // The window thread does not wait: the exit goes on on workers.
    EXPECT_TRUE(p.quitCodes.empty());
    while (p.quitCodes.empty() && Clock::now() - before < std::chrono::seconds(30)) {
        dispatcher.Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const auto waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - before);
    // The exit ended while the call still hangs, after giving the start its time; the
    // return to idle did not switch sharing off (or disallow) under the start.
    EXPECT_TRUE(gate.Held());
    EXPECT_TRUE(app->WorkersRunning());
    EXPECT_EQ(p.quitCodes, (std::vector<int>{0}));
    EXPECT_GE(waited.count(), app::kExitStartWaitMs - 100);
    EXPECT_EQ(p.laptop->Snapshot().commands.size(), connectionsCalls);
    // The program's state is only torn down once the worker has ended.
    gate.Release();
    EXPECT_TRUE(app->EndWorkers());
    driver.reset();
    app.reset();
}

}  // namespace
}  // namespace hs::hotspot::testing
