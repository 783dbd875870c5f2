// Pixels at the system's DPI. The layouts and every pixel size the program places
// on screen are drawn for 96 dots an inch; on a screen of another DPI each is scaled
// by dpi/96, rounded half up. Edges are scaled rather than sizes, so two rectangles
// that touch at 96 DPI still touch, one inside another stays inside, and at 96 DPI
// every figure is what it was.
#pragma once

#include <cstdint>
#include <limits>

namespace hs {

// The DPI the layouts are drawn for, and what a screen reports at 100 %.
inline constexpr int kBaseDpi = 96;

// `pixels` at 96 DPI as pixels at `dpi` (96 when `dpi` is not positive), rounded half
// up; monotone, and exact at 96.
constexpr int ScaleToDpi(int pixels, int dpi) {
    if (dpi <= 0 || dpi == kBaseDpi)
        return pixels;
    const int64_t scaled = static_cast<int64_t>(pixels) * dpi + kBaseDpi / 2;
    // Floor division, also for negative values.
    int64_t q = scaled / kBaseDpi;
    if (scaled % kBaseDpi != 0 && scaled < 0)
        --q;
    if (q > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (q < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(q);
}

// The size of the span from `start` to `start + size` (96 DPI) at `dpi`: the
// difference of its scaled edges.
constexpr int ScaleSpanToDpi(int start, int size, int dpi) {
    return ScaleToDpi(start + size, dpi) - ScaleToDpi(start, dpi);
}

}  // namespace hs
