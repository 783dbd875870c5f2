// Waiting for an asynchronous Windows Runtime operation (IAsyncAction or
// IAsyncOperation<T>) on the calling worker, by polling its IAsyncInfo: no completion
// handler is registered, so nothing runs on another thread and the worker's own stop
// ends the wait.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/host.h"
#include "platform/windows/winrt_abi.h"

namespace hs::win::winrt {

// How often the operation's status is read, and how long it may take in all.
inline constexpr int64_t kAsyncPollMs = 50;
inline constexpr int64_t kAsyncBoundMs = 60000;

struct AsyncEnd {
    TetheringFailure failure = TetheringFailure::None;
    uint32_t code = 0;  // the HRESULT of a failed call or of the operation's error
};

// Waits for `operation` (any interface of the operation object). Once it completed,
// `getResults` is called (it calls the operation's GetResults and keeps what it gives)
// and then the operation is closed: a failed GetResults is Failed with its HRESULT.
// An operation that ended in error is Failed with its error code (GetResults is still
// called, so that whatever it hands out is owned and released, then Close). A
// cancellation by someone else is Failed with HRESULT_FROM_WIN32(ERROR_CANCELLED).
// When `stop` is requested before the end, or `boundMs` passes, the operation is
// cancelled and closed and the answer is Stopped or TimedOut. The caller keeps and
// releases its own reference to `operation`.
AsyncEnd AwaitAsync(Inspectable* operation, const StopSignal* stop,
                    const std::function<HRESULT()>& getResults, int64_t boundMs = kAsyncBoundMs);

}  // namespace hs::win::winrt
