// The timed shutdown's countdown: the delay typed in minutes, the time left and the
// label that shows it. Portable arithmetic only; the procedures that read and write
// the controls and ask the system to shut down sit with the window events.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace hs::settings {

// The time left: hours (no upper bound), minutes and seconds (0 to 59).
struct Countdown {
    int64_t hours = 0;
    int minutes = 0;
    int seconds = 0;
    bool operator==(const Countdown&) const = default;
};

// The delay typed into the minutes box, in whole seconds (minutes times 60, truncated
// toward zero: "1.5" is 90, "0.5" is 30). Blanks around the number are ignored. A text
// that is not a plain decimal number, and a delay that is not greater than zero ("0",
// "0.0", a negative number), give nothing. A positive delay of less than one second
// ("0.001") gives 0, so the caller can say that it is too short rather than not
// positive. Either is refused, never armed.
std::optional<int64_t> ShutdownDelaySeconds(const std::string& text);

// The countdown that `totalSeconds` stands for.
Countdown CountdownFrom(int64_t totalSeconds);

// "HH时MM分SS秒后关机": each field with a "0" in front when it is 9 or less; hours of
// 100 and more show all their digits.
std::string CountdownLabel(const Countdown& left);

// One second off the time left. A countdown at zero goes on from 59 seconds.
void TickDown(Countdown& left);

// Exactly `seconds` seconds left (no hours, no minutes).
inline bool SecondsLeft(const Countdown& left, int seconds) {
    return left.hours == 0 && left.minutes == 0 && left.seconds == seconds;
}

}  // namespace hs::settings
