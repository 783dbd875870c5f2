#include "settings/shutdown.h"

namespace hs::settings {

namespace {

bool Blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool Digit(char c) {
    return c >= '0' && c <= '9';
}

// More whole minutes than this are refused: their seconds would not fit the counter.
constexpr int kMaxMinuteDigits = 12;
// Digits after the point beyond these cannot change the whole seconds by more than
// the truncation already allows for.
constexpr int kMaxFractionDigits = 17;

}  // namespace

std::optional<int64_t> ShutdownDelaySeconds(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && Blank(text[begin]))
        ++begin;
    while (end > begin && Blank(text[end - 1]))
        --end;
    size_t i = begin;
    if (i < end && text[i] == '+')
        ++i;
    int64_t minutes = 0;
    int minuteDigits = 0;
    bool hadWhole = false;
    while (i < end && Digit(text[i])) {
        hadWhole = true;
        if (minuteDigits > 0 || text[i] != '0') {
            if (++minuteDigits > kMaxMinuteDigits)
                return std::nullopt;
        }
        minutes = minutes * 10 + (text[i] - '0');
        ++i;
    }
    uint64_t fraction = 0, scale = 1;
    bool hadFraction = false;
    // Any digit after the point that is not 0, kept or not, makes the delay positive.
    bool fractionPositive = false;
    if (i < end && text[i] == '.') {
        ++i;
        int kept = 0;
        while (i < end && Digit(text[i])) {
            hadFraction = true;
            fractionPositive = fractionPositive || text[i] != '0';
            if (kept < kMaxFractionDigits) {
                fraction = fraction * 10 + static_cast<uint64_t>(text[i] - '0');
                scale *= 10;
                ++kept;
            }
            ++i;
        }
    }
    if (i != end || (!hadWhole && !hadFraction))
        return std::nullopt;
    if (minutes == 0 && !fractionPositive)
        return std::nullopt;
    return minutes * 60 + static_cast<int64_t>(fraction * 60 / scale);
}

Countdown CountdownFrom(int64_t totalSeconds) {
    Countdown left;
    if (totalSeconds <= 0)
        return left;
    int64_t minutes = totalSeconds / 60;
    left.seconds = static_cast<int>(totalSeconds % 60);
    if (minutes >= 60) {
        left.hours = minutes / 60;
        minutes %= 60;
    }
    left.minutes = static_cast<int>(minutes);
    return left;
}

std::string CountdownLabel(const Countdown& left) {
    auto field = [](int64_t n) {
        std::string digits = std::to_string(n);
        return n >= 0 && n <= 9 ? "0" + digits : digits;
    };
    return field(left.hours) + "时" + field(left.minutes) + "分" + field(left.seconds) + "秒后关机";
}

void TickDown(Countdown& left) {
    if (left.hours == 0 && left.minutes == 0 && left.seconds == 0) {
        left.seconds = 59;
        return;
    }
    if (left.seconds > 0) {
        --left.seconds;
        return;
    }
    left.seconds = 59;
    if (left.minutes > 0) {
        --left.minutes;
        return;
    }
    left.minutes = 59;
    --left.hours;
}

}  // namespace hs::settings
