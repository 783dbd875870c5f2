// A QR picture as the bytes of a Windows bitmap file, to save it or look at it.
#pragma once

#include <string>

#include "join/qr_layout.h"

namespace hs::join {

// `image` as an 8-bit greyscale .bmp file (a 256-grey palette, rows bottom up, each
// padded to 4 bytes). Empty for an empty image.
std::string QrBitmapFile(const QrImage& image);

}  // namespace hs::join
