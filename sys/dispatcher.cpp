#include "sys/dispatcher.h"

#include <chrono>
#include <condition_variable>
#include <memory>

#include "sys/delay.h"

namespace hs {

namespace {
constexpr int64_t kPumpEveryMs = 20;
}

void Dispatcher::Post(std::function<void()> apply) {
    RunToken run = CurrentRun();
    if (!run) {
        Enqueue(std::move(apply));
        return;
    }
    Enqueue([run = std::move(run), apply = std::move(apply)] {
        if (!StopWasRequested(run))
            apply();
    });
}

bool ClosureQueue::Push(std::function<void()> apply) {
    std::lock_guard<std::mutex> lock(mutex_);
    const bool wasEmpty = queue_.empty();
    queue_.push_back(std::move(apply));
    return wasEmpty;
}

int ClosureQueue::RunAll() {
    int ran = 0;
    for (;;) {
        std::function<void()> next;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (queue_.empty())
                return ran;
            next = std::move(queue_.front());
            queue_.pop_front();
        }
        next();
        ++ran;
    }
}

bool ClosureQueue::Empty() {
    std::lock_guard<std::mutex> lock(mutex_);
    return queue_.empty();
}

void ContinueAfter(Task& task, Host& host, Dispatcher& dispatcher, int64_t ms,
                   std::function<void()> then) {
    task.Start([&host, &dispatcher, ms, then = std::move(then)] {
        Delay(host, ms);
        if (!StopRequested())
            dispatcher.Post(then);
    });
}

int AskWindow(Dispatcher& dispatcher, std::function<int()> ask, int otherwise) {
    struct Answer {
        std::mutex mutex;
        std::condition_variable given;
        bool ready = false;
        int value = 0;
    };
    // On the window thread itself there is nobody to wait for.
    if (!CurrentRun())
        return ask();
    auto answer = std::make_shared<Answer>();
    dispatcher.Post([answer, ask = std::move(ask)] {
        const int value = ask();
        std::lock_guard<std::mutex> lock(answer->mutex);
        answer->value = value;
        answer->ready = true;
        answer->given.notify_all();
    });
    std::unique_lock<std::mutex> lock(answer->mutex);
    while (!answer->ready) {
        if (StopRequested())
            return otherwise;
        answer->given.wait_for(lock, std::chrono::milliseconds(kPumpEveryMs));
    }
    return answer->value;
}

}  // namespace hs
