// Version texts of the update page, read strictly: the page comes from the network,
// so only a plain decimal number counts as a version.
#pragma once

#include <optional>
#include <string_view>

namespace hs::hotspot {

// The value of a version text made of digits, optionally followed by one "." and
// more digits ("2", "1.10"), with blanks (space, tab, CR, LF) around it ignored.
// Anything else, such as signs, exponents, hexadecimal, "nan", "inf" or a second
// ".", is no version: nothing.
std::optional<double> ParseVersionText(std::string_view text);

// Whether `newest` names a later version than `current`: both must be versions and
// the newest must exceed the current one by more than rounding.
bool IsNewerVersion(std::string_view newest, std::string_view current);

}  // namespace hs::hotspot
