#include "join/qr_bmp.h"

#include <cstdint>

namespace hs::join {
namespace {

void PutLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

}  // namespace

std::string QrBitmapFile(const QrImage& image) {
    if (image.width <= 0) {
        return {};
    }
    const auto width = static_cast<uint32_t>(image.width);
    const uint32_t stride = (width + 3) / 4 * 4;
    constexpr uint32_t kHeaders = 14 + 40;
    constexpr uint32_t kPalette = 256 * 4;
    const uint32_t pixels = stride * width;

    std::string out;
    out.reserve(kHeaders + kPalette + pixels);
    // BITMAPFILEHEADER
    out += "BM";
    PutLe(out, kHeaders + kPalette + pixels, 4);
    PutLe(out, 0, 4);
    PutLe(out, kHeaders + kPalette, 4);
    // BITMAPINFOHEADER: positive height, so rows are stored bottom up.
    PutLe(out, 40, 4);
    PutLe(out, width, 4);
    PutLe(out, width, 4);
    PutLe(out, 1, 2);
    PutLe(out, 8, 2);
    PutLe(out, 0, 4);  // BI_RGB
    PutLe(out, pixels, 4);
    PutLe(out, 3780, 4);  // 96 dots an inch, in dots a metre
    PutLe(out, 3780, 4);
    PutLe(out, 256, 4);
    PutLe(out, 0, 4);
    for (uint32_t grey = 0; grey < 256; ++grey) {
        PutLe(out, grey | grey << 8 | grey << 16, 4);
    }
    for (int y = image.width - 1; y >= 0; --y) {
        const size_t row = static_cast<size_t>(y) * width;
        out.append(reinterpret_cast<const char*>(image.grey.data()) + row, width);
        out.append(stride - width, '\0');
    }
    return out;
}

}  // namespace hs::join
