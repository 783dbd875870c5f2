#include "platform/windows/shell_win.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/windows/wide.h"
#include "sys/text.h"

namespace hs::win {
bool WindowsShell::OpenUrl(const std::string& url) {
    if (!IsWebAddress(url))
        return false;
    const std::wstring wide = Widen(url);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // Waits for the shell to hand the address over (the caller may end right after,
    // as an accepted update does), and shows no error box of its own.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = wide.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

bool WindowsShell::StartDetached(const std::string& commandLine) {
    if (commandLine.empty())
        return false;
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring line = Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace hs::win
