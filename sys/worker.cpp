#include "sys/worker.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace hs {

struct WorkerRun : std::enable_shared_from_this<WorkerRun> {
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

bool Finished(WorkerRun& run) {
    std::lock_guard<std::mutex> lock(run.mutex);
    return run.finished;
}

}  // namespace

Task::~Task() {
    RequestStop();
    for (Thread& t : threads_)
        t.run->stop.Request();
    Join();
}

void Task::Start(std::function<void()> procedure) {
    RequestStop();
    Reap();
    auto run = std::make_shared<WorkerRun>();
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
}

bool Task::Running() {
    Reap();
    return !threads_.empty();
}

bool Task::WaitFor(int64_t ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (Thread& t : threads_) {
        std::unique_lock<std::mutex> lock(t.run->mutex);
        if (!t.run->ended.wait_until(lock, deadline, [&] { return t.run->finished; }))
            break;
    }
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

}  // namespace hs
