#include "platform/windows/winrt_async.h"

#include <windows.h>

#include <chrono>

#include "platform/windows/winrt_runtime.h"

namespace hs::win::winrt {
namespace {

// Sleeps one poll; true when a stop was requested before or during it.
bool PauseOrStop(const StopSignal* stop) {
    if (stop != nullptr)
        return stop->WaitFor(kAsyncPollMs);
    Sleep(static_cast<DWORD>(kAsyncPollMs));
    return false;
}

AsyncEnd Ended(TetheringFailure failure, HRESULT code) {
    return {failure, static_cast<uint32_t>(code)};
}

}  // namespace

AsyncEnd AwaitAsync(Inspectable* operation, const StopSignal* stop,
                    const std::function<HRESULT()>& getResults, int64_t boundMs) {
    if (operation == nullptr)
        return Ended(TetheringFailure::Failed, E_POINTER);
    Ref<AsyncInfo> info;
    const HRESULT queried =
        operation->vtbl->QueryInterface(operation, kIidAsyncInfo, info.PutVoid());
    if (FAILED(queried) || !info)
        return Ended(TetheringFailure::Failed, FAILED(queried) ? queried : E_NOINTERFACE);

    const auto giveUpAt = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMs);
    for (;;) {
        int32_t status = kAsyncStarted;
        const HRESULT read = info->vtbl->get_Status(info.get(), &status);
        if (FAILED(read)) {
            info->vtbl->Cancel(info.get());
            info->vtbl->Close(info.get());
            return Ended(TetheringFailure::Failed, read);
        }
        if (status == kAsyncCompleted) {
            const HRESULT results = getResults();
            info->vtbl->Close(info.get());
            return FAILED(results) ? Ended(TetheringFailure::Failed, results) : AsyncEnd{};
        }
        if (status == kAsyncError) {
            HRESULT error = E_FAIL;
            if (FAILED(info->vtbl->get_ErrorCode(info.get(), &error)) || SUCCEEDED(error))
                error = E_FAIL;
            getResults();
            info->vtbl->Close(info.get());
            return Ended(TetheringFailure::Failed, error);
        }
        if (status == kAsyncCanceled) {
            info->vtbl->Close(info.get());
            return Ended(TetheringFailure::Failed, HRESULT_FROM_WIN32(ERROR_CANCELLED));
        }
        const bool stopped = (stop != nullptr && stop->Requested()) || PauseOrStop(stop);
        const bool late = std::chrono::steady_clock::now() >= giveUpAt;
        if (stopped || late) {
            info->vtbl->Cancel(info.get());
            info->vtbl->Close(info.get());
            return Ended(stopped ? TetheringFailure::Stopped : TetheringFailure::TimedOut, S_OK);
        }
    }
}

}  // namespace hs::win::winrt
