#include "platform/windows/windows_clock.h"

#include <windows.h>

#include <atomic>
#include <limits>

#include "platform/windows/proc_lookup.h"

namespace hs::win {
namespace {

// Longest single wait when a stop request has to be noticed.
constexpr DWORD kStopSliceMs = 10;

using TickCount64Function = ULONGLONG(WINAPI*)();

// GetTickCount64 of this system's kernel32, or nullptr where it has none (XP).
TickCount64Function FindTickCount64() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr)
        return nullptr;
    return LookUpProc<TickCount64Function>(kernel, "GetTickCount64");
}

// Constant-initialised, so they serve even before the program's constructors ran.
TickWidener widenedTicks;
std::atomic<TickCount64Function> systemTickCount64{nullptr};
std::atomic<bool> lookedForTickCount64{false};

}  // namespace

uint64_t TickWidener::Widen(uint32_t tick) {
    uint64_t old = state_.load();
    for (;;) {
        const uint32_t last = static_cast<uint32_t>(old);
        const uint64_t wraps = old >> 32;
        uint64_t next = 0;
        if (tick >= last) {
            next = (wraps << 32) | tick;
        } else if (last - tick > 0x80000000u) {
            next = ((wraps + 1) << 32) | tick;
        } else {
            return old;  // read before a tick another thread has already stored
        }
        if (state_.compare_exchange_weak(old, next))
            return next;
    }
}

}  // namespace hs::win

// GetTickCount64 where the system has it, the widened GetTickCount elsewhere. No
// locks and no guarded statics: the thread library calls it from its waits. Two
// threads that look the function up at once both find the same one.
extern "C" ULONGLONG WINAPI HsTickCount64() {
    using namespace hs::win;
    if (!lookedForTickCount64.load(std::memory_order_acquire)) {
        systemTickCount64.store(FindTickCount64(), std::memory_order_relaxed);
        lookedForTickCount64.store(true, std::memory_order_release);
    }
    const TickCount64Function tickCount64 = systemTickCount64.load(std::memory_order_relaxed);
    if (tickCount64 != nullptr)
        return tickCount64();
    return widenedTicks.Widen(GetTickCount());
}

#if defined(__i386__)
// The runtime's thread library (winpthread, linked in statically) imports
// GetTickCount64 for its timed waits, and an import that Windows XP's kernel32
// lacks keeps the whole program from loading there. This definition of the import's
// address slot is linked instead of kernel32's and leads to HsTickCount64.
extern "C" {
extern ULONGLONG(WINAPI* const hsTickCount64Slot)() __asm__("__imp__GetTickCount64@0");
ULONGLONG(WINAPI* const hsTickCount64Slot)() = HsTickCount64;
}
#endif

namespace hs::win {

int64_t WindowsClock::NowMs() {
    return static_cast<int64_t>(HsTickCount64());
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
    for (;;) {
        if (stop != nullptr && stop->Requested())
            break;
        if (WaitForSingleObject(timer, slice) != WAIT_TIMEOUT)
            break;  // The timer fired, or the wait failed: never spin on a broken handle.
    }
    CloseHandle(timer);
}

}  // namespace hs::win
