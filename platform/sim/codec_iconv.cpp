// GBK <-> UTF-8 through iconv, for the native build.
#include <iconv.h>

#include <cerrno>
#include <string>

#include "platform/native_codec.h"

namespace hs {
namespace {

// Converts with iconv. Input that does not convert is replaced by `replacement`
// (already in the target encoding) and conversion goes on after it: after the
// character when the input is UTF-8 (it is well-formed here, see Utf8ToGbk), after
// one byte when it is GBK.
std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement, bool utf8Input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string out;
    out.reserve(in.size() * 2);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[4096];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            size_t skip =
                utf8Input ? NextUtf8Piece(std::string_view(src, srcLeft)).length : size_t{1};
            if (skip > srcLeft)
                skip = srcLeft;
            out.append(replacement);
            src += skip;
            srcLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

class IconvCodec : public TextCodec {
  public:
    std::string GbkToUtf8(std::string_view gbk) override {
        return Convert("UTF-8", "GBK", gbk, "\xEF\xBF\xBD", false);
    }
    std::string Utf8ToGbk(std::string_view utf8) override {
        return Utf8ToGbkByPieces(
            utf8, [](std::string_view run) { return Convert("GBK", "UTF-8", run, "?", true); });
    }
};

}  // namespace

std::unique_ptr<TextCodec> MakeNativeCodec() {
    return std::make_unique<IconvCodec>();
}

}  // namespace hs
