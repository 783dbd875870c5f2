// Helpers of the Windows UI tests: pumping the test thread's messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/windows/wide.h"

namespace hs::win::test {

// Processes window messages until `done` holds or `timeoutMs` passed; returns done().
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (!done()) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done())
            return true;
        if (GetTickCount64() >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Processes window messages for `ms` milliseconds.
inline void PumpFor(int ms) {
    PumpUntil([] { return false; }, ms);
}

inline std::string TextOf(HWND hwnd) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(hwnd, buffer, 1024);
    return Narrow(buffer);
}

inline std::string ClassOf(HWND hwnd) {
    wchar_t buffer[128] = {};
    GetClassNameW(hwnd, buffer, 128);
    return Narrow(buffer);
}

}  // namespace hs::win::test
