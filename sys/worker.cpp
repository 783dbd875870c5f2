#include "sys/worker.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace hs {

struct WorkerRun : std::enable_shared_from_this<WorkerRun> {
    explicit WorkerRun(std::string taskName) : name(std::move(taskName)) {}
    const std::string name;
    StopSignal stop;
    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;
};

namespace {

// A plain pointer: a thread-local with a destructor (a shared_ptr) was seen to crash
// at thread exit under the mingw runtime and Wine. The run is kept alive by its
// thread's own reference while the pointer is set.
thread_local WorkerRun* currentRun = nullptr;
thread_local bool windowThread = false;

bool Finished(WorkerRun& run) {
    std::lock_guard<std::mutex> lock(run.mutex);
    return run.finished;
}

}  // namespace

Task::~Task() {
    RequestStop();
    Join();
}

void Task::Start(std::function<void()> procedure) {
    RequestStop();
    Add(std::move(procedure));
}

void Task::Add(std::function<void()> procedure) {
    Reap();
    auto run = std::make_shared<WorkerRun>(name_);
    current_ = run;
    threads_.push_back({run, std::thread([run, procedure = std::move(procedure)] {
                            currentRun = run.get();
                            procedure();
                            currentRun = nullptr;
                            std::lock_guard<std::mutex> lock(run->mutex);
                            run->finished = true;
                            run->ended.notify_all();
                        })});
}

void Task::RequestStop() {
    if (current_)
        current_->stop.Request();
    for (Thread& t : threads_)
        t.run->stop.Request();
}

std::vector<RunToken> Task::Runs() const {
    std::vector<RunToken> runs;
    for (const Thread& t : threads_)
        runs.push_back(t.run);
    return runs;
}

bool WaitForRuns(const std::vector<RunToken>& runs, int64_t ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (const RunToken& run : runs) {
        std::unique_lock<std::mutex> lock(run->mutex);
        if (!run->ended.wait_until(lock, deadline, [&] { return run->finished; }))
            return false;
    }
    return true;
}

bool Task::Running() {
    Reap();
    return !threads_.empty();
}

bool Task::WaitFor(int64_t ms) {
    WaitForRuns(Runs(), ms);
    return !Running();
}

void Task::Join() {
    for (Thread& t : threads_) {
        if (t.thread.joinable())
            t.thread.join();
    }
    threads_.clear();
}

void Task::Reap() {
    for (auto it = threads_.begin(); it != threads_.end();) {
        if (Finished(*it->run)) {
            if (it->thread.joinable())
                it->thread.join();
            it = threads_.erase(it);
        } else {
            ++it;
        }
    }
}

bool StopWasRequested(const RunToken& run) {
    return run != nullptr && run->stop.Requested();
}

RunToken CurrentRun() {
    return currentRun != nullptr ? currentRun->shared_from_this() : nullptr;
}

const StopSignal* CurrentStop() {
    return currentRun ? &currentRun->stop : nullptr;
}

bool StopRequested() {
    return currentRun != nullptr && currentRun->stop.Requested();
}

std::string CurrentTaskName() {
    if (currentRun != nullptr)
        return currentRun->name;
    return windowThread ? "window" : "";
}

WindowThreadScope::WindowThreadScope() : wasMarked_(windowThread) {
    windowThread = true;
}

WindowThreadScope::~WindowThreadScope() {
    windowThread = wasMarked_;
}

bool OnWindowThread() {
    return windowThread && currentRun == nullptr;
}

void CheckNotWindowThread(const char* what) {
#ifndef NDEBUG
    if (OnWindowThread()) {
        std::fprintf(stderr, "%s called on the window thread: it must run on a worker\n", what);
        std::abort();
    }
#else
    (void)what;
#endif
}

}  // namespace hs
