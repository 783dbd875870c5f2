// How byte counts appear on screen: session totals in megabytes (1 MB = 1048576
// bytes), per-tick rates in KB/S or MB/S. The arithmetic is exact (whole numbers of
// hundredths, halves rounded up), so no figure shows binary rounding noise and no
// figure is ever negative.
#pragma once

#include <cstdint>
#include <string>

namespace hs::traffic {

// The bytes in megabytes, rounded to whole hundredths.
uint64_t MegabyteHundredths(uint64_t bytes);

// Megabytes with exactly two decimals and " MB": "0.00 MB", "1.50 MB", "5120.00 MB".
std::string FormatMegabytes(uint64_t bytes);

// The sum of the two figures as FormatMegabytes shows them (the sum of the rounded
// figures, not the rounded sum), written as a plain number without trailing zeros
// and followed by " MB": "0 MB", "1.5 MB", "12.35 MB", "3 MB".
std::string FormatTotal(uint64_t downloadBytes, uint64_t uploadBytes);

// The bytes moved in one tick: whole kilobytes (truncated) with one decimal and
// "KB/S" up to 999 KB ("0.0KB/S", "999.0KB/S"); above that megabytes with two
// decimals and "MB/S" ("0.98MB/S" for 1000 KB).
std::string FormatRate(uint64_t bytes);

}  // namespace hs::traffic
