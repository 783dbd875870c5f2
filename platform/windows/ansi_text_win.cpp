// Which characters the system's ANSI code page holds: the console tools take a
// network's name and key in that code page, whatever the program passes in UTF-16.
#include <windows.h>

#include "platform/windows/wide.h"
#include "platform/windows/windows_system.h"

namespace hs::win {

std::string WindowsSystemInfo::Unencodable(const std::string& utf8) {
    const UINT codePage = GetACP();
    // A system set to UTF-8 for non-Unicode programs holds every character (and
    // WideCharToMultiByte refuses the default-character flag for it).
    if (codePage == CP_UTF8)
        return {};
    const std::wstring wide = Widen(utf8);
    size_t at = 0;
    while (at < wide.size()) {
        // One character: a surrogate pair stays together.
        size_t length = 1;
        if (wide[at] >= 0xD800 && wide[at] <= 0xDBFF && at + 1 < wide.size())
            length = 2;
        char bytes[8];
        BOOL usedDefault = FALSE;
        const int written = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data() + at,
                                                static_cast<int>(length), bytes, sizeof bytes,
                                                nullptr, &usedDefault);
        if (written <= 0 || usedDefault)
            return Narrow(wide.substr(at, length));
        at += length;
    }
    return {};
}

}  // namespace hs::win
