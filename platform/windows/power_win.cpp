#include "platform/windows/power_win.h"

#include <windows.h>

namespace hs::win {
namespace {

// The user's own timed shutdown is planned: major reason "other", minor reason
// "other", planned, so the system's event log does not record it as unexpected.
constexpr DWORD kShutdownReason =
    SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;

// Enables the shutdown privilege of the process; false when it could not be enabled.
bool EnableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return false;
    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = false;
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &wanted.Privileges[0].Luid)) {
        // The previous state is asked for in a buffer of 28 bytes, room for more than
        // the one entry it can hold.
        alignas(TOKEN_PRIVILEGES) BYTE previous[28] = {};
        DWORD previousSize = 0;
        // Succeeds also when the privilege is not held; GetLastError tells.
        enabled =
            AdjustTokenPrivileges(token, FALSE, &wanted, sizeof previous,
                                  reinterpret_cast<TOKEN_PRIVILEGES*>(previous), &previousSize) &&
            GetLastError() == ERROR_SUCCESS;
    }
    CloseHandle(token);
    return enabled;
}

}  // namespace

bool WindowsPower::Shutdown() {
    // Without the privilege the request is still made: the system decides.
    EnableShutdownPrivilege();
    // Not forced: programs with unsaved work may still veto it.
    return ExitWindowsEx(EWX_SHUTDOWN, kShutdownReason) != FALSE;
}

}  // namespace hs::win
