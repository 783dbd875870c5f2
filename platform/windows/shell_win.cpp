#include "platform/windows/shell_win.h"

#include <windows.h>

#include <shellapi.h>

#include <cctype>
#include <string>

#include "platform/windows/wide.h"

namespace hs::win {
namespace {

// Length of the scheme prefix ("http://" or "https://", any case), or 0.
size_t SchemeLength(const std::string& url) {
    for (const char* scheme : {"http://", "https://"}) {
        const std::string prefix(scheme);
        if (url.size() < prefix.size())
            continue;
        bool same = true;
        for (size_t i = 0; i < prefix.size() && same; ++i)
            same = std::tolower(static_cast<unsigned char>(url[i])) == prefix[i];
        if (same)
            return prefix.size();
    }
    return 0;
}

}  // namespace

bool WindowsShell::IsWebAddress(const std::string& url) {
    const size_t scheme = SchemeLength(url);
    if (scheme == 0)
        return false;
    // There must be a host name right after the scheme.
    if (url.size() == scheme || url[scheme] == '/' || url[scheme] == '\\')
        return false;
    for (unsigned char c : url) {
        if (c <= 0x20 || c == 0x7F || c == '"')
            return false;
    }
    return true;
}

bool WindowsShell::OpenUrl(const std::string& url) {
    if (!IsWebAddress(url))
        return false;
    const std::wstring wide = Widen(url);
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
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
