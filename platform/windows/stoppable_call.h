// Runs a blocking system call on a thread of its own so that the caller can give up
// on it the moment a stop is requested. The call then finishes on its own (it has its
// own time limit) and its result is thrown away; its thread stays owned by the port
// that made the call and is joined, never detached.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/host.h"

namespace hs::win {

// How often the caller looks at the stop signal while the worker runs.
inline constexpr int kStopCheckMs = 20;

// The threads of the calls a port gave up on. Each ends by itself; the finished ones
// are joined whenever another is handed over, and the rest when the owner goes, after
// a bounded wait. A call that even then has not returned (Wine's WinINet can wait for
// an answer for good) is left to the end of the process: its thread and everything it
// uses are owned by the thread itself and never torn down under it.
class CallOwner {
  public:
    // How long the owner's end waits, in all, for the calls still running.
    static constexpr int kEndWaitMs = 2000;

    CallOwner() = default;
    CallOwner(const CallOwner&) = delete;
    CallOwner& operator=(const CallOwner&) = delete;
    ~CallOwner() {
        std::lock_guard<std::mutex> lock(mutex_);
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kEndWaitMs);
        for (Call& call : calls_) {
            while (!call.finished() && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(std::chrono::milliseconds(kStopCheckMs));
            if (call.finished()) {
                call.thread.join();
            } else {
                // Kept for the rest of the process, on purpose never destroyed.
                static auto* const leftOver = new std::vector<std::thread>;
                leftOver->push_back(std::move(call.thread));
            }
        }
    }
    void Keep(std::thread thread, std::function<bool()> finished) {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto it = calls_.begin(); it != calls_.end();) {
            if (it->finished()) {
                it->thread.join();
                it = calls_.erase(it);
            } else {
                ++it;
            }
        }
        calls_.push_back({std::move(thread), std::move(finished)});
    }

  private:
    struct Call {
        std::thread thread;
        std::function<bool()> finished;
    };
    std::mutex mutex_;
    std::vector<Call> calls_;
};

// Calls `work` and returns its result, or nothing once `stop` is requested before the
// work finished, or once `deadlineMs` (when above 0) has passed. `work` must own
// everything it touches (capture by value): after the caller gave up it keeps running
// on its own thread. It is handed a flag that becomes true when the caller gave up,
// so that long work can end early. Without a stop signal and a deadline, or when no
// thread can be started, the work runs on the calling thread.
template <class T>
std::optional<T> RunUnlessStopped(CallOwner& owner, const StopSignal* stop,
                                  std::function<T(const std::atomic<bool>& abandoned)> work,
                                  int64_t deadlineMs = 0) {
    struct State {
        std::mutex mutex;
        std::condition_variable finished;
        bool done = false;
        std::optional<T> result;
        std::atomic<bool> abandoned{false};
    };
    if (stop != nullptr && stop->Requested())
        return std::nullopt;
    auto state = std::make_shared<State>();
    if (stop == nullptr && deadlineMs <= 0)
        return work(state->abandoned);
    const auto giveUpAt = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(deadlineMs > 0 ? deadlineMs : 0);

    std::thread thread;
    try {
        thread = std::thread([state, work]() {
            T value = work(state->abandoned);
            {
                std::lock_guard<std::mutex> lock(state->mutex);
                state->result = std::move(value);
                state->done = true;
            }
            state->finished.notify_all();
        });
    } catch (const std::system_error&) {
        return work(state->abandoned);
    }

    std::unique_lock<std::mutex> lock(state->mutex);
    for (;;) {
        if (state->finished.wait_for(lock, std::chrono::milliseconds(kStopCheckMs),
                                     [&] { return state->done; })) {
            std::optional<T> result = std::move(state->result);
            lock.unlock();
            thread.join();
            return result;
        }
        if ((stop != nullptr && stop->Requested()) ||
            (deadlineMs > 0 && std::chrono::steady_clock::now() >= giveUpAt)) {
            state->abandoned.store(true);
            lock.unlock();
            owner.Keep(std::move(thread), [state] {
                std::lock_guard<std::mutex> finishedLock(state->mutex);
                return state->done;
            });
            return std::nullopt;
        }
    }
}

}  // namespace hs::win
