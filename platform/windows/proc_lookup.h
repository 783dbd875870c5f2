// Functions looked up at run time, for those that not every supported Windows has.
#pragma once

#include <windows.h>

namespace hs::win {

// `name` of `module` as a function of type Fn; null when the module lacks it.
template <typename Fn>
Fn LookUpProc(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace hs::win
