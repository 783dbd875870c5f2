// Worker threads with a cooperative stop, each owned by whoever started it.
//
// A worker is never killed and never detached. Its owner asks it to stop; everything
// a worker waits on (RunCommand's polls, PumpingDelay, the ports that can block) returns
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
    Task() = default;
    ~Task();
    Task(const Task&) = delete;
    Task& operator=(const Task&) = delete;

    // Starts `procedure` on a new thread. A current run that has not ended is asked to
    // stop first and kept until it has ended.
    void Start(std::function<void()> procedure);
    // Asks the current run to stop; does not wait.
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

  private:
    struct Thread {
        RunToken run;
        std::thread thread;
    };
    // Joins the runs that have ended.
    void Reap();

    RunToken current_;
    std::vector<Thread> threads_;
};

// True when the run has been asked to stop (a null run never is).
bool StopWasRequested(const RunToken& run);

// The run the calling thread is a worker of; null on any other thread.
RunToken CurrentRun();

// The stop signal of the worker the caller runs on; null on any other thread.
const StopSignal* CurrentStop();

// True when the calling worker was asked to stop.
bool StopRequested();

}  // namespace hs
