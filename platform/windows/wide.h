// Conversions between the program's UTF-8 text and Windows' UTF-16 and code pages.
#pragma once

#include <string>
#include <string_view>

namespace hs::win {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
// Bytes in `codePage` (CP_ACP, CP_OEMCP, 936, ...) to UTF-8.
std::string FromCodePage(std::string_view bytes, unsigned codePage);
// UTF-8 to bytes in `codePage`; characters the code page cannot hold become "?".
std::string ToCodePage(std::string_view utf8, unsigned codePage);

}  // namespace hs::win
