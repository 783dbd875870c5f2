// A QR code's modules for a text, from the QR Code generator library.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace hs::join {

// A square of size x size modules, rows top to bottom; 1 is a dark module, 0 a light one.
// An empty matrix (size 0) stands for "no code".
struct QrMatrix {
    int size = 0;
    std::vector<uint8_t> modules;

    bool Empty() const { return size == 0; }
    bool Dark(int x, int y) const {
        return modules[static_cast<size_t>(y) * static_cast<size_t>(size) +
                       static_cast<size_t>(x)] != 0;
    }
};

// The QR code of `text`'s bytes at error correction level medium (raised where that
// needs no bigger symbol), in the smallest version that holds it. Plain ASCII is
// encoded as it is; text with other bytes (UTF-8) is marked as UTF-8 with an ECI
// header, so readers do not have to guess its encoding. An empty matrix when the text
// does not fit in the largest QR code.
QrMatrix EncodeQr(std::string_view text);

}  // namespace hs::join
