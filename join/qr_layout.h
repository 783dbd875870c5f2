// Laying a QR matrix out as pixels: whole pixels per module, with the quiet zone.
#pragma once

#include <cstdint>
#include <vector>

#include "join/qr_matrix.h"

namespace hs::join {

// The light margin, in modules, that readers need around the code on every side.
constexpr int kQrQuietZone = 4;

// A square greyscale picture, rows top to bottom: 0 is black, 255 white.
struct QrImage {
    int width = 0;  // also the height
    std::vector<uint8_t> grey;

    uint8_t At(int x, int y) const {
        return grey[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

// The side, in pixels, of the code with its quiet zone at `module_px` pixels a module.
int QrSidePixels(const QrMatrix& matrix, int module_px);

// The largest whole number of pixels a module such that the code and its quiet zone fit
// in a square of `box_px` pixels; 0 when not even one pixel a module fits (or the
// matrix is empty).
int QrModulePixelsToFit(const QrMatrix& matrix, int box_px);

// The code drawn at `module_px` (at least 1) pixels a module, dark modules black, with
// a white quiet zone of kQrQuietZone modules around it. Empty for an empty matrix.
QrImage RenderQr(const QrMatrix& matrix, int module_px);

}  // namespace hs::join
