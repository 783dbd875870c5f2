// Drawing the hotspot's join QR code into a device context: whole device pixels a
// module, no smoothing, the quiet zone in white, centred in the given rectangle.
#pragma once

#include <windows.h>

#include "join/qr_matrix.h"

namespace hs::win::ui {

// Pixels a module at 96 dots an inch; more at higher DPI.
constexpr int kQrModulePixelsAt96 = 4;

// The dots an inch that `window` is drawn at: the window's own DPI where the system
// has it per window, otherwise the screen's (always 96 for a program the system scales).
int QrWindowDpi(HWND window);

// The whole number of pixels a module for a code drawn at `dpi`: kQrModulePixelsAt96
// scaled by dpi/96, rounded down, at least 1.
int QrModulePixelsForDpi(int dpi);

// Where the code goes in `box` (device pixels): the largest whole number of pixels a
// module that fits the code with its quiet zone, capped at `max_module_px` when that is
// positive, centred. `module_px` is 0 (and `rect` empty) when it does not fit at all.
struct QrPlacement {
    RECT rect{};  // the code with its quiet zone
    int module_px = 0;
};
QrPlacement PlaceQrPicture(const join::QrMatrix& matrix, const RECT& box, int max_module_px = 0);

// Draws `matrix` into `dc` (MM_TEXT mapping) at PlaceQrPicture(matrix, box, max_module_px):
// the quiet zone and light modules white, dark modules black. The rest of `box` is left
// as it is. Returns the placement; nothing is drawn when its module_px is 0.
QrPlacement DrawQrPicture(HDC dc, const RECT& box, const join::QrMatrix& matrix,
                          int max_module_px = 0);

}  // namespace hs::win::ui
