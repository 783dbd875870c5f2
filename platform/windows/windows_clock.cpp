#include "platform/windows/windows_clock.h"

#include <windows.h>

#include <limits>

namespace hs::win {
namespace {

// QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER | QS_PAINT |
// QS_SENDMESSAGE | QS_HOTKEY.
constexpr DWORD kWakeMask = 0xFF;
// Longest single wait when a stop request has to be noticed.
constexpr DWORD kStopSliceMs = 10;

}  // namespace

MessagePump::~MessagePump() {
    if (quit_)
        PostQuitMessage(exitCode_);
}

void MessagePump::Pump() {
    MSG msg;
    while (!quit_ && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit_ = true;
            exitCode_ = static_cast<int>(msg.wParam);
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int64_t WindowsClock::NowMs() {
    return static_cast<int64_t>(GetTickCount64());
}

void WindowsClock::Delay(int64_t ms, const StopSignal* stop) {
    if (ms <= 0 || (stop != nullptr && stop->Requested()))
        return;
    HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    if (timer == nullptr)
        return;
    // A negative due time is relative, in units of 100 ns (held to what fits).
    constexpr int64_t kLongestMs = std::numeric_limits<int64_t>::max() / 10000;
    LARGE_INTEGER due;
    due.QuadPart = (ms < kLongestMs ? ms : kLongestMs) * -10000;
    if (!SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
        CloseHandle(timer);
        return;
    }
    const DWORD slice = stop != nullptr ? kStopSliceMs : INFINITE;
    MessagePump pump;
    for (;;) {
        if (stop != nullptr && stop->Requested())
            break;
        const DWORD result = pump.Active()
                                 ? MsgWaitForMultipleObjects(1, &timer, FALSE, slice, kWakeMask)
                                 : WaitForSingleObject(timer, slice);
        if (result == WAIT_OBJECT_0)
            break;
        if (result == WAIT_TIMEOUT)
            continue;
        if (pump.Active() && result == WAIT_OBJECT_0 + 1) {
            pump.Pump();
            continue;
        }
        break;  // The wait itself failed: never spin on a broken handle.
    }
    CloseHandle(timer);
}

}  // namespace hs::win
