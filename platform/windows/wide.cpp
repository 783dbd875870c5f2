#include "platform/windows/wide.h"

#include <windows.h>

namespace hs::win {
namespace {

std::wstring ToWide(std::string_view bytes, unsigned codePage) {
    if (bytes.empty())
        return {};
    const int n =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) {
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                            n);
    }
    return wide;
}

std::string FromWide(std::wstring_view wide, unsigned codePage) {
    if (wide.empty())
        return {};
    const char* defaultChar = codePage == CP_UTF8 ? nullptr : "?";
    const int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, defaultChar, nullptr);
    std::string bytes(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(),
                            n, defaultChar, nullptr);
    }
    return bytes;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
    return ToWide(utf8, CP_UTF8);
}
std::string Narrow(std::wstring_view wide) {
    return FromWide(wide, CP_UTF8);
}
std::string FromCodePage(std::string_view bytes, unsigned codePage) {
    return Narrow(ToWide(bytes, codePage));
}
std::string ToCodePage(std::string_view utf8, unsigned codePage) {
    return FromWide(Widen(utf8), codePage);
}

}  // namespace hs::win
