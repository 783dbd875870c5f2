// The two ways the program classifies the operating system it runs on.
#pragma once

#include "platform/host.h"

namespace hs::app {

// The OS version code from the version the system reports (major + minor / 10):
// 5.0 -> 1, 5.1 -> 2, 5.2 -> 3, 6.0 -> 4, 6.1 -> 5, 6.2 -> 6, anything else -1.
// Windows 8.1 and later report 6.2 to a program that does not declare them, so they
// get 6 as well.
int OsVersionCode(const OsVersion& version);

// The category read from the process environment block's version fields: 1..3 the
// 9x family, 4 NT 4 or older, 5 NT 5.0, 6 NT 5.1 (Windows XP), 7 NT 5.2, 8 NT 6.0,
// 9 NT 6.1, 0 anything else.
int EnvironmentCategory(const OsVersion& version);

// The category of Windows XP, on which the program refuses to work.
inline constexpr int kWindowsXpCategory = 6;

}  // namespace hs::app
