// Worker threads with a cooperative stop, each owned by whoever started it.
//
// A worker is never killed and never detached. Its owner asks it to stop; everything
// a worker waits on (RunCommand's polls, Delay, the ports that can block) returns
// early once the stop was asked, so a worker ends at the next step of its procedure,
// never in the middle of writing a file. The owner then joins it. A worker that does not
// honour the stop in time stays owned: its thread is kept and joined later, and nothing
// it uses is destroyed before it has ended.
//
// The thread primitive is std::thread, always joined. Under the mingw runtime and Wine a
// detached thread that is still running while the process ends was seen to hang the
// process; a joined one never outlives its owner.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/host.h"

namespace hs {

// The stop signal and the end of one run of a worker; shared by the worker thread,
// its owner and the results the run posts.
struct WorkerRun;
using RunToken = std::shared_ptr<WorkerRun>;

// One worker slot: at most one current run, plus the runs that were asked to stop but
// have not ended yet. Used by one owning thread (the window thread); its destructor
// asks every run to stop and joins them all.
class Task {
  public:
    // `name` names the task's threads: the simulated laptop's command journal writes
    // it beside every command a run of the task ran.
    explicit Task(std::string name = "worker") : name_(std::move(name)) {}
    ~Task();
    Task(const Task&) = delete;
    Task& operator=(const Task&) = delete;

    // Starts `procedure` on a new thread. A current run that has not ended is asked to
    // stop first and kept until it has ended.
    void Start(std::function<void()> procedure);
    // Starts `procedure` on a new thread beside the runs that have not ended, which go
    // on; it becomes the current run.
    void Add(std::function<void()> procedure);
    // Asks every run to stop; does not wait.
    void RequestStop();
    // True while any run of this task (the current one or one asked to stop) is alive.
    bool Running();
    // Waits up to `ms` milliseconds of real time for every run to end, joining those
    // that did; true when none is left.
    bool WaitFor(int64_t ms);
    // Waits until every run has ended, however long that takes.
    void Join();
    // The current run; null before the first start.
    RunToken Current() const { return current_; }
    // Every run not yet joined: the current one and those asked to stop that were
    // still alive when last looked at. Another thread may wait for them (WaitForRuns).
    std::vector<RunToken> Runs() const;
    const std::string& Name() const { return name_; }

  private:
    struct Thread {
        RunToken run;
        std::thread thread;
    };
    // Joins the runs that have ended.
    void Reap();

    std::string name_;
    RunToken current_;
    std::vector<Thread> threads_;
};

// Waits, on any thread, up to `ms` milliseconds of real time for every run to end;
// true when all have. A run ends when its procedure has returned.
bool WaitForRuns(const std::vector<RunToken>& runs, int64_t ms);

// True when the run has been asked to stop (a null run never is).
bool StopWasRequested(const RunToken& run);

// The run the calling thread is a worker of; null on any other thread.
RunToken CurrentRun();

// The stop signal of the worker the caller runs on; null on any other thread.
const StopSignal* CurrentStop();

// True when the calling worker was asked to stop.
bool StopRequested();

// The name of the task whose run the calling thread is; "window" on the window thread,
// "" on any other thread.
std::string CurrentTaskName();

// Marks the calling thread as the window thread for as long as the object lives. The
// window thread never waits on the system: a command, a pause or a blocking port
// called on it is a programming error (CheckNotWindowThread).
class WindowThreadScope {
  public:
    WindowThreadScope();
    ~WindowThreadScope();
    WindowThreadScope(const WindowThreadScope&) = delete;
    WindowThreadScope& operator=(const WindowThreadScope&) = delete;

  private:
    bool wasMarked_;
};

// True on the thread a WindowThreadScope marks.
bool OnWindowThread();

// Stops the program, in debug and test builds, when called on the window thread:
// `what` names the wait that was called there. Nothing in release builds.
void CheckNotWindowThread(const char* what);

}  // namespace hs
