#include "join/qr_matrix.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "qrcodegen.hpp"

namespace hs::join {
namespace {

// The ECI assignment number of UTF-8.
constexpr long kEciUtf8 = 26;

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::vector<qrcodegen::QrSegment> Segments(std::string_view text) {
    using qrcodegen::QrSegment;
    std::vector<uint8_t> bytes(text.begin(), text.end());
    if (!IsAscii(text)) {
        return {QrSegment::makeEci(kEciUtf8), QrSegment::makeBytes(bytes)};
    }
    if (text.find('\0') != std::string_view::npos) {
        // The library's text segmenter reads a C string; a NUL would end the text early.
        return {QrSegment::makeBytes(bytes)};
    }
    return QrSegment::makeSegments(std::string(text).c_str());
}

}  // namespace

QrMatrix EncodeQr(std::string_view text) {
    QrMatrix matrix;
    try {
        const qrcodegen::QrCode code =
            qrcodegen::QrCode::encodeSegments(Segments(text), qrcodegen::QrCode::Ecc::MEDIUM);
        matrix.size = code.getSize();
        matrix.modules.resize(static_cast<size_t>(matrix.size) * static_cast<size_t>(matrix.size));
        for (int y = 0; y < matrix.size; ++y) {
            for (int x = 0; x < matrix.size; ++x) {
                matrix.modules[static_cast<size_t>(y) * static_cast<size_t>(matrix.size) +
                               static_cast<size_t>(x)] = code.getModule(x, y) ? 1 : 0;
            }
        }
    } catch (const std::length_error&) {
        // Too long for the largest code (qrcodegen::data_too_long is a length_error).
        return {};
    }
    return matrix;
}

}  // namespace hs::join
