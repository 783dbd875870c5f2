#include "hotspot/version_text.h"

#include <charconv>
#include <cmath>

namespace hs::hotspot {
namespace {

constexpr double kNewerThreshold = 0.0000001;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the run of digits at the start of `text`.
size_t DigitRun(std::string_view text) {
    size_t n = 0;
    while (n < text.size() && IsDigit(text[n]))
        ++n;
    return n;
}

}  // namespace

std::optional<double> ParseVersionText(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    const size_t whole = DigitRun(text);
    if (whole == 0)
        return std::nullopt;
    if (whole < text.size()) {
        if (text[whole] != '.')
            return std::nullopt;
        const size_t fraction = DigitRun(text.substr(whole + 1));
        if (fraction == 0 || whole + 1 + fraction != text.size())
            return std::nullopt;
    }
    // The text is now digits with at most one point: from_chars reads it without
    // regard to the locale, and a number too large for a double is refused.
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool IsNewerVersion(std::string_view newest, std::string_view current) {
    const std::optional<double> next = ParseVersionText(newest);
    const std::optional<double> now = ParseVersionText(current);
    return next && now && *next - *now > kNewerThreshold;
}

}  // namespace hs::hotspot
