// The window thread's inbox: how a worker hands what it found to the window thread.
//
// A worker computes (runs its commands, pauses, parses) and posts a closure that applies
// the result to the windows and to the program's state; the window thread runs posted
// closures in the order they were posted. A closure posted by a run that has been asked
// to stop (or superseded by a newer run, which asks the old one to stop) by the time it
// would be applied is dropped.
//
// On Windows the front end's dispatcher posts a private message to a window of the
// window thread; the headless one (tests, tools) is a queue that whoever plays the
// window thread drains with Pump.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

#include "platform/host.h"
#include "sys/worker.h"

namespace hs {

class Dispatcher {
  public:
    virtual ~Dispatcher() = default;
    // Any thread: `apply` runs later on the window thread. Posted from a worker, it is
    // dropped when that worker's run was asked to stop before it runs.
    void Post(std::function<void()> apply);
    // Window thread: runs what is waiting (posted closures and, on a real window thread,
    // the pending window messages) and returns without waiting for more.
    virtual void Pump() = 0;

  protected:
    // Queues the closure and makes sure the window thread will run RunQueued.
    virtual void Enqueue(std::function<void()> apply) = 0;
};

// The closures waiting for the window thread, shared by the dispatchers.
class ClosureQueue {
  public:
    // True when the queue was empty before (the window thread must be woken).
    bool Push(std::function<void()> apply);
    // Runs every closure queued, including those queued while it runs; returns how many.
    int RunAll();
    bool Empty();

  private:
    std::mutex mutex_;
    std::deque<std::function<void()>> queue_;
};

// The headless dispatcher: Pump drains the queue on the calling thread.
class QueueDispatcher : public Dispatcher {
  public:
    void Pump() override { queue_.RunAll(); }
    bool Idle() { return queue_.Empty(); }

  protected:
    void Enqueue(std::function<void()> apply) override { queue_.Push(std::move(apply)); }

  private:
    ClosureQueue queue_;
};

// Continues a procedure of the window thread after a pause, without waiting there:
// a run of `task` pauses `ms` milliseconds on the host's clock and posts `then`. A
// stop of the task in the meantime drops it.
void ContinueAfter(Task& task, Host& host, Dispatcher& dispatcher, int64_t ms,
                   std::function<void()> then);

// Asks the window thread to run `ask` (a message box, say) and waits for its answer. A
// worker whose stop is requested gives up waiting and gets `otherwise`.
int AskWindow(Dispatcher& dispatcher, std::function<int()> ask, int otherwise);

}  // namespace hs
