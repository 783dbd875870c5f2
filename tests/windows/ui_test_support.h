// Helpers of the Windows UI tests: pumping the test thread's messages, a data folder.
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

// A data folder for the simulated laptop's files, %TEMP%\NAME-PID, without a
// settings file left over from an earlier run.
inline std::string FreshFolder(const char* name) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder =
        std::wstring(temp) + Widen(name) + L"-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    DeleteFileW((folder + L"\\tulawifi.ini").c_str());
    return Narrow(folder);
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
