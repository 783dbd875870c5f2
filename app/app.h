// The program: both windows, their event bindings, and the subsystems that own the
// program's state. Everything here is used on the window thread; the workers that the
// subsystems own hand their results to it through the dispatcher.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hotspot/hotspot.h"
#include "platform/host.h"
#include "settings/shutdown.h"
#include "sys/dispatcher.h"
#include "sys/dpi.h"
#include "ui/model.h"

namespace hs::app {

class ClientsView;
class HotspotView;
class WatchedFiles;
class TrafficView;

// The main window's title; also what a second instance looks for.
inline constexpr const char* kProgramTitle = "岚舟笔记本设置WiFi热点工具";

// From the start of an exit to the end of the process, whatever hangs. A worker still
// running then is left alone: the process ends without tearing down what it uses.
inline constexpr int64_t kExitBoundMs = 5000;

class App {
  public:
    // Builds the windows from the layout tables at the desktop's DPI, resolves the
    // controls the subsystems use and binds every event handler of the event-binding
    // table.
    App(Host& host, Dispatcher& dispatcher);
    // Asks every worker to stop and joins them all.
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    ui::Window& Main() { return *main_; }
    ui::Window& Bar() { return *bar_; }
    // The window with the QR code to join the hotspot by.
    ui::Window& Join() { return *join_; }
    Host& GetHost() { return host_; }
    Dispatcher& GetDispatcher() { return dispatcher_; }
    hotspot::Hotspot& Hotspot() { return *hotspot_; }
    // The hotspot's controls in the main window.
    HotspotView& HotspotControls() { return *hotspotView_; }
    // The session totals and the traffic bar.
    TrafficView& Traffic() { return *traffic_; }
    // The client list, the blacklist, the name editor and the monitor switch.
    ClientsView& Clients() { return *clients_; }

    // Ends the program: marks it as ending with `exitCode` and calls quitHook. Only the
    // first call counts.
    void Quit(int exitCode);
    bool Ending() const { return ending_.load(); }
    int ExitCode() const { return exitCode_.load(); }
    // The front end sets it to leave its message loop.
    std::function<void(int)> quitHook;

    // When not empty, "HOST[:PORT]" used instead of the update server's host for this
    // run (a developer option of the launcher); read by the created procedure.
    std::string updateHostOverride;
    // The folder of the journal of every command the program ran (the menu's
    // "打开日志文件夹" opens it); empty when none is kept.
    std::string journalFolder;
    // Runs instead of the background preparation when set (tests of the start-up).
    std::function<void()> preparationOverride;

    // The timed shutdown's time left while it counts down.
    settings::Countdown shutdownLeft;
    // Set once an exit path has begun: an exit chosen while the first one runs does
    // nothing.
    bool exiting = false;
    // When the process must have ended, once an exit has begun (set by its first step).
    std::chrono::steady_clock::time_point exitDeadline;

    // Workers of the window events: the brief always-on-top, the collapse animation,
    // the pause before the shutdown request and the exit's bound.
    Task surfaceTask{"surface"};
    Task collapseTask{"collapse"};
    Task shutdownTask{"shutdown"};
    Task exitBoundTask{"exit"};

    // Asks every worker to stop; does not wait.
    void StopWorkers();
    // After the message loop: asks every worker to stop and waits for them until the
    // exit's deadline (kExitBoundMs from now when no exit set one). True when none is
    // left. Never called while the window is in use: it does not process messages.
    bool EndWorkers();
    // True while any worker of the program runs.
    bool WorkersRunning();
    // Processes messages until no worker runs and everything they posted has been
    // applied (tests and tools; the program itself never waits like this).
    void Settle();

  private:
    // Every worker the program owns, in the order the exits stop them.
    std::vector<Task*> Workers();

    // Marks the thread that builds the program as the window thread while it lives.
    WindowThreadScope windowThread_;
    Host& host_;
    Dispatcher& dispatcher_;
    // The host's files, watched for failed writes while the program lives.
    std::unique_ptr<WatchedFiles> watchedFiles_;
    // The system's DPI, read once: the three windows are built at it.
    int dpi_;
    std::unique_ptr<ui::Window> main_;
    std::unique_ptr<ui::Window> bar_;
    std::unique_ptr<ui::Window> join_;
    std::unique_ptr<HotspotView> hotspotView_;
    std::unique_ptr<hotspot::Hotspot> hotspot_;
    std::unique_ptr<TrafficView> traffic_;
    std::unique_ptr<ClientsView> clients_;
    // Runs instead of the preparation when preparationOverride is set.
    Task overrideTask_{"preparation"};
    std::atomic<bool> ending_{false};
    std::atomic<int> exitCode_{0};

    friend void StartPreparation(App& app);
};

// Starts the background preparation (or the override a test set) on its worker.
void StartPreparation(App& app);

}  // namespace hs::app
