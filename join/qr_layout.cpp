#include "join/qr_layout.h"

#include <algorithm>

namespace hs::join {

int QrSidePixels(const QrMatrix& matrix, int module_px) {
    if (matrix.Empty() || module_px < 1) {
        return 0;
    }
    return (matrix.size + 2 * kQrQuietZone) * module_px;
}

int QrModulePixelsToFit(const QrMatrix& matrix, int box_px) {
    if (matrix.Empty() || box_px <= 0) {
        return 0;
    }
    return box_px / (matrix.size + 2 * kQrQuietZone);
}

QrImage RenderQr(const QrMatrix& matrix, int module_px) {
    QrImage image;
    if (matrix.Empty()) {
        return image;
    }
    module_px = std::max(module_px, 1);
    image.width = QrSidePixels(matrix, module_px);
    const auto width = static_cast<size_t>(image.width);
    image.grey.assign(width * width, 255);
    const int origin = kQrQuietZone * module_px;
    for (int y = 0; y < matrix.size; ++y) {
        for (int x = 0; x < matrix.size; ++x) {
            if (!matrix.Dark(x, y)) {
                continue;
            }
            for (int py = 0; py < module_px; ++py) {
                const size_t row = static_cast<size_t>(origin + y * module_px + py) * width;
                const size_t left = row + static_cast<size_t>(origin + x * module_px);
                std::fill_n(image.grey.begin() + static_cast<std::ptrdiff_t>(left), module_px, 0);
            }
        }
    }
    return image;
}

}  // namespace hs::join
