#include "platform/windows/power_win.h"

#include <windows.h>

namespace hs::win {
namespace {

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
        TOKEN_PRIVILEGES previous{};
        DWORD previousSize = 0;
        // Succeeds also when the privilege is not held; GetLastError tells.
        enabled = AdjustTokenPrivileges(token, FALSE, &wanted, sizeof previous, &previous,
                                        &previousSize) &&
                  GetLastError() == ERROR_SUCCESS;
    }
    CloseHandle(token);
    return enabled;
}

}  // namespace

bool WindowsPower::Shutdown() {
    // Without the privilege the request is still made: the system decides.
    EnableShutdownPrivilege();
    // Reason 0: "other", unplanned; accepted by every version of the system.
    return ExitWindowsEx(EWX_SHUTDOWN, 0) != FALSE;
}

}  // namespace hs::win
