// The program: both windows, their event bindings, and the state the program's
// procedures share across the window thread and the worker threads.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/host.h"
#include "sys/worker.h"
#include "ui/model.h"

namespace hs::app {

// The main window's title; also what a second instance looks for.
inline constexpr const char* kProgramTitle = "岚舟笔记本设置WiFi热点工具";

// One row of the system's interface-counter table.
struct InterfaceCounters {
    uint32_t received = 0;
    uint32_t sent = 0;
};

// What the start procedure, the client list and the traffic displays share about the
// current sharing session.
struct Session {
    // "共享完成" once a start succeeded; nothing clears it during the run.
    std::string sharingState;
    // The hosted adapter's interface index as text ("2" when it was not found) and as
    // a number.
    std::string hostedInterfaceIndex = "2";
    int hostedInterfaceNumber = 2;
    // The interface-counter table and the hosted row's counters when sharing came up.
    std::vector<InterfaceCounters> counters;
    uint32_t receivedBaseline = 0;
    uint32_t sentBaseline = 0;

    // The start and stop procedures' texts. The upstream connection when sharing was
    // last stopped (empty until the first stop) and when the current start began.
    std::string upstreamAtLastStop;
    std::string upstreamAtThisStart;
    // What the configure command or "netsh wlan start hostednetwork" printed during
    // the current start; emptied after a failure.
    std::string startOutput;
    // The update server's path pieces: the statistics page's last piece ("/tongji",
    // set by the start button), and the root and update-page pieces the background
    // preparation stores ("/rjgx", "/lanzgx").
    std::string statisticsPath;
    std::string serverRootPath;
    std::string serverUpdatePath;
};

class App {
  public:
    // Builds both windows from the layout tables and binds every event handler of the
    // event-binding table.
    explicit App(Host& host);
    // Stops the worker threads the program started.
    ~App();
    // Asks every worker of the program to stop and waits until each has ended, so
    // that no worker writes to the windows once their front end is gone.
    void StopWorkers();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    ui::Window& Main() { return *main_; }
    ui::Window& Bar() { return *bar_; }
    Host& GetHost() { return host_; }

    // Ends the program: marks it as ending with `exitCode` and calls quitHook.
    void Quit(int exitCode);
    bool Ending() const { return ending_.load(); }
    int ExitCode() const { return exitCode_.load(); }
    // The front end sets it to leave its message loop.
    std::function<void(int)> quitHook;

    // The update server's address in five pieces: "http://", three pieces that
    // together spell the host name, ".html". Set by the created procedure.
    std::array<std::string, 5> updateUrl;
    // When not empty, "HOST[:PORT]" used instead of the update server's host for this
    // run (a developer option of the launcher); read by the created procedure.
    std::string updateHostOverride;
    // 1..6 for Windows 2000 .. Windows 8 and later, -1 for anything else; 0 until the
    // created procedure has looked.
    std::atomic<int> osVersionCode{0};

    // The worker threads: background preparation, client-list pass, start sharing.
    WorkerHandle preparationThread;
    WorkerHandle clientListThread;
    WorkerHandle startThread;
    // What the preparation thread runs; the created procedure starts it last.
    std::function<void()> backgroundPreparation;
    // Guards startThread, which the window thread sets and the exit paths (on any
    // thread) end.
    std::mutex startThreadMutex;

    // 1 once a pass that switches connection sharing on has been through every
    // connection; never cleared.
    std::atomic<int> sharingDone{0};
    // The status animation's frame counter, 0 to 5.
    std::atomic<int> animationFrame{0};

    // The session state, read and written whole under a lock.
    Session GetSession() const;
    void UpdateSession(const std::function<void(Session&)>& change);

  private:
    Host& host_;
    std::unique_ptr<ui::Window> main_;
    std::unique_ptr<ui::Window> bar_;
    std::atomic<bool> ending_{false};
    std::atomic<int> exitCode_{0};
    mutable std::mutex sessionMutex_;
    Session session_;
};

}  // namespace hs::app
