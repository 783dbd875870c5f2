// GBK <-> UTF-8 with Windows' own code-page tables (code page 936).
#include <windows.h>

#include <string>

#include "platform/native_codec.h"
#include "platform/windows/wide.h"

namespace hs {
namespace {

class WindowsCodec : public TextCodec {
  public:
    std::string GbkToUtf8(std::string_view gbk) override { return win::FromCodePage(gbk, 936); }
    // Ill-formed input is replaced here, piece by piece, rather than left to the
    // system, whose replacement of broken sequences differs between versions.
    std::string Utf8ToGbk(std::string_view utf8) override {
        return Utf8ToGbkByPieces(utf8,
                                 [](std::string_view run) { return win::ToCodePage(run, 936); });
    }
};

}  // namespace

std::unique_ptr<TextCodec> MakeNativeCodec() {
    return std::make_unique<WindowsCodec>();
}

}  // namespace hs
