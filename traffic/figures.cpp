#include "traffic/figures.h"

namespace hs::traffic {
namespace {

constexpr uint64_t kMegabyte = 1048576;

// Hundredths written as a number with two decimals: 150 -> "1.50".
std::string TwoDecimals(uint64_t hundredths) {
    const uint64_t cents = hundredths % 100;
    std::string text = std::to_string(hundredths / 100);
    text.push_back('.');
    text.push_back(static_cast<char>('0' + cents / 10));
    text.push_back(static_cast<char>('0' + cents % 10));
    return text;
}

// Hundredths written as a plain number: 150 -> "1.5", 300 -> "3", 1235 -> "12.35".
std::string PlainNumber(uint64_t hundredths) {
    std::string text = std::to_string(hundredths / 100);
    const uint64_t cents = hundredths % 100;
    if (cents != 0) {
        text.push_back('.');
        text.push_back(static_cast<char>('0' + cents / 10));
        if (cents % 10 != 0)
            text.push_back(static_cast<char>('0' + cents % 10));
    }
    return text;
}

}  // namespace

uint64_t MegabyteHundredths(uint64_t bytes) {
    // Split first, so bytes * 100 cannot overflow.
    const uint64_t whole = bytes / kMegabyte;
    const uint64_t rest = bytes % kMegabyte;
    return whole * 100 + (rest * 100 + kMegabyte / 2) / kMegabyte;
}

std::string FormatMegabytes(uint64_t bytes) {
    return TwoDecimals(MegabyteHundredths(bytes)) + " MB";
}

std::string FormatTotal(uint64_t downloadBytes, uint64_t uploadBytes) {
    return PlainNumber(MegabyteHundredths(downloadBytes) + MegabyteHundredths(uploadBytes)) + " MB";
}

std::string FormatRate(uint64_t bytes) {
    const uint64_t kilobytes = bytes / 1024;
    if (kilobytes > 999) {
        // Kilobytes / 1024 in hundredths, halves rounded up.
        const uint64_t hundredths = kilobytes / 1024 * 100 + (kilobytes % 1024 * 100 + 512) / 1024;
        return TwoDecimals(hundredths) + "MB/S";
    }
    return std::to_string(kilobytes) + ".0KB/S";
}

}  // namespace hs::traffic
