// Runs a blocking system call on a worker thread so that the caller can give up on
// it the moment a stop is requested. The worker then finishes on its own (the call
// has its own time limit) and its result is thrown away.
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

#include "platform/host.h"

namespace hs::win {

// How often the caller looks at the stop signal while the worker runs.
inline constexpr int kStopCheckMs = 20;

// Calls `work` and returns its result, or nothing once `stop` is requested before the
// work finished, or once `deadlineMs` (when above 0) has passed. `work` must own
// everything it touches (capture by value): after the caller gave up it keeps running
// on its own thread. It is handed a flag that becomes true when the caller gave up,
// so that long work can end early. Without a stop signal and a deadline, or when no
// thread can be started, the work runs on the calling thread.
template <class T>
std::optional<T> RunUnlessStopped(const StopSignal* stop,
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

    try {
        std::thread([state, work]() {
            T value = work(state->abandoned);
            {
                std::lock_guard<std::mutex> lock(state->mutex);
                state->result = std::move(value);
                state->done = true;
            }
            state->finished.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return work(state->abandoned);
    }

    std::unique_lock<std::mutex> lock(state->mutex);
    for (;;) {
        if (state->finished.wait_for(lock, std::chrono::milliseconds(kStopCheckMs),
                                     [&] { return state->done; })) {
            return std::move(state->result);
        }
        if ((stop != nullptr && stop->Requested()) ||
            (deadlineMs > 0 && std::chrono::steady_clock::now() >= giveUpAt)) {
            state->abandoned.store(true);
            return std::nullopt;
        }
    }
}

}  // namespace hs::win
