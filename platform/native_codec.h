// The text codec of the system the program was built for: Windows' own code-page
// conversion in the Windows build, iconv in the native build.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/host.h"

namespace hs {

std::unique_ptr<TextCodec> MakeNativeCodec();

// One piece at the start of a UTF-8 text: a well-formed character, or an
// ill-formed stretch that one replacement stands for.
struct Utf8Piece {
    size_t length;  // bytes, at least 1
    bool wellFormed;
};

// The piece at the start of `text` (not empty). An ill-formed piece is the longest
// start of a well-formed sequence found there, or one byte: so "\xE7\x32" is the
// piece "\xE7" followed by "2", and no byte after a broken sequence is lost.
inline Utf8Piece NextUtf8Piece(std::string_view text) {
    const auto at = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = at(0);
    if (lead < 0x80)
        return {1, true};
    size_t need = 0;                        // continuation bytes after the lead
    unsigned char low = 0x80, high = 0xBF;  // range of the first continuation byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        if (lead == 0xE0)
            low = 0xA0;  // no overlong forms
        if (lead == 0xED)
            high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;  // nothing past U+10FFFF
    } else {
        return {1, false};
    }
    for (size_t i = 1; i <= need; ++i) {
        const unsigned char lo = i == 1 ? low : 0x80;
        const unsigned char hi = i == 1 ? high : 0xBF;
        if (i >= text.size() || at(i) < lo || at(i) > hi)
            return {i, false};
    }
    return {need + 1, true};
}

// UTF-8 to GBK, one "?" for every ill-formed piece and every character beyond the
// Basic Multilingual Plane (which GBK cannot hold); the runs of other characters
// are converted by `convert(std::string_view) -> std::string`, which thus only
// ever sees well-formed text. Both builds' codecs convert through this, so they
// agree on every input.
template <class Convert>
std::string Utf8ToGbkByPieces(std::string_view utf8, Convert convert) {
    std::string out;
    size_t runStart = 0;
    size_t i = 0;
    while (i < utf8.size()) {
        const Utf8Piece piece = NextUtf8Piece(utf8.substr(i));
        if (piece.wellFormed && piece.length < 4) {
            i += piece.length;
            continue;
        }
        if (i > runStart)
            out += convert(utf8.substr(runStart, i - runStart));
        out += '?';
        i += piece.length;
        runStart = i;
    }
    if (i > runStart)
        out += convert(utf8.substr(runStart, i - runStart));
    return out;
}

}  // namespace hs
