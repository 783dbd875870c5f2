// Hardware addresses as the system writes them, brought to the one form the program
// compares and shows.
#pragma once

#include <optional>
#include <string>

namespace hs::backend {

// `text` in dash form and upper case ("A4-5E-60-C1-22-33"). Accepted: six groups of one
// or two hexadecimal digits separated by ":" or "-" ("a4:5e:60:c1:22:33",
// "A4-5E-60-C1-22-3", "4:5e:..."), or twelve digits without separators
// ("a45e60c12233"), in either case, with blanks around them. Anything that is not six
// bytes gives nothing.
std::optional<std::string> NormalizeHardwareAddress(const std::string& text);

}  // namespace hs::backend
