#include "sys/worker.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace hs {

struct WorkerState {
    StopSignal stop;
    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;
};

namespace {
thread_local const StopSignal* currentStop = nullptr;
}

WorkerHandle StartThread(std::function<void()> procedure) {
    auto state = std::make_shared<WorkerState>();
    // The thread keeps its own reference to the state, so dropping every handle
    // never destroys the state under a running worker.
    std::thread([state, procedure = std::move(procedure)] {
        currentStop = &state->stop;
        procedure();
        currentStop = nullptr;
        std::lock_guard<std::mutex> lock(state->mutex);
        state->finished = true;
        state->ended.notify_all();
    }).detach();
    return state;
}

bool KillThread(WorkerHandle& worker, int64_t waitMs) {
    if (!worker) return true;
    WorkerHandle state = std::move(worker);
    worker.reset();
    state->stop.Request();
    std::unique_lock<std::mutex> lock(state->mutex);
    return state->ended.wait_for(lock, std::chrono::milliseconds(waitMs),
                                 [&] { return state->finished; });
}

void JoinThread(WorkerHandle& worker) {
    if (!worker) return;
    std::unique_lock<std::mutex> lock(worker->mutex);
    worker->ended.wait(lock, [&] { return worker->finished; });
}

bool IsRunning(const WorkerHandle& worker) {
    if (!worker) return false;
    std::lock_guard<std::mutex> lock(worker->mutex);
    return !worker->finished;
}

const StopSignal* CurrentStop() { return currentStop; }

bool StopRequested() { return currentStop != nullptr && currentStop->Requested(); }

}  // namespace hs
