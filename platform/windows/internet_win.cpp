#include "platform/windows/internet_win.h"

#include <windows.h>
#include <wininet.h>

#include <string>

#include "platform/windows/wide.h"

namespace hs::win {
namespace {

constexpr DWORD kNameChars = 512;

std::wstring TrimSpaces(std::wstring text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    const size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

InternetState WindowsInternet::Query() {
    // Spaces up front, so that a call that writes no name leaves nothing after the trim;
    // the extra last character always stays zero.
    wchar_t buffer[kNameChars + 1];
    for (wchar_t& c : buffer)
        c = L' ';
    buffer[kNameChars] = L'\0';
    DWORD flags = 0;
    InternetState state;
    state.connected = InternetGetConnectedStateExW(&flags, buffer, kNameChars, 0) != FALSE;
    state.flags = flags;
    state.name = Narrow(TrimSpaces(std::wstring(buffer)));
    return state;
}

}  // namespace hs::win
