// Worker threads with a cooperative stop.
//
// A worker is never killed: KillThread asks it to stop and waits a bounded time.
// Everything a worker waits on (RunCommand's polls, PumpingDelay) returns early once
// its stop was asked, so a worker ends at the next step of its procedure, never in
// the middle of writing a file or rebuilding a list.
#pragma once

#include <functional>
#include <memory>

#include "platform/host.h"

namespace hs {

struct WorkerState;
using WorkerHandle = std::shared_ptr<WorkerState>;

// Starts `procedure` on a new thread at once.
WorkerHandle StartThread(std::function<void()> procedure);

// Asks the worker to stop and waits up to `waitMs` milliseconds for it to end.
// Returns true when it has ended (or there was none). A worker that has not ended
// in time is left to finish on its own; it can no longer be waited for. The handle
// is cleared either way.
bool KillThread(WorkerHandle& worker, int64_t waitMs = 5000);

// Waits until the worker has ended, however long that takes.
void JoinThread(WorkerHandle& worker);

// True while the worker's procedure has not returned.
bool IsRunning(const WorkerHandle& worker);

// The stop signal of the worker the caller runs on; null on any other thread.
const StopSignal* CurrentStop();

// True when the calling worker was asked to stop.
bool StopRequested();

}  // namespace hs
