// The text codec of the system the program was built for: Windows' own code-page
// conversion in the Windows build, iconv in the native build.
#pragma once

#include <memory>

#include "platform/host.h"

namespace hs {

std::unique_ptr<TextCodec> MakeNativeCodec();

}  // namespace hs
