// GBK <-> UTF-8 through iconv, for the native build.
#include <iconv.h>

#include <cerrno>
#include <string>

#include "platform/native_codec.h"

namespace hs {
namespace {

// Length of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// Converts with iconv. Input that does not convert is replaced by `replacement`
// (already in the target encoding); `utf8Input` says how much input to skip then:
// one whole UTF-8 character, or one byte of GBK.
std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement, bool utf8Input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
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
            size_t skip = utf8Input ? Utf8SequenceLength(static_cast<unsigned char>(*src)) : 1;
            if (skip > srcLeft) skip = srcLeft;
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
        return Convert("GBK", "UTF-8", utf8, "?", true);
    }
};

}  // namespace

std::unique_ptr<TextCodec> MakeNativeCodec() { return std::make_unique<IconvCodec>(); }

}  // namespace hs
