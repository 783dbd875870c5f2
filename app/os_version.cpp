#include "app/os_version.h"

#include <cmath>

namespace hs::app {

int OsVersionCode(const OsVersion& version) {
    const double reported = version.reportedMajor + version.reportedMinor / 10.0;
    struct Entry {
        double version;
        int code;
    };
    static constexpr Entry kCodes[] = {{5.0, 1}, {5.1, 2}, {5.2, 3}, {6.0, 4}, {6.1, 5}, {6.2, 6}};
    for (const Entry& entry : kCodes) {
        if (std::fabs(reported - entry.version) <= 0.0000001)
            return entry.code;
    }
    return -1;
}

int EnvironmentCategory(const OsVersion& version) {
    constexpr int kPlatform9x = 1;
    constexpr int kPlatformNt = 2;
    if (version.blockPlatformId == kPlatform9x) {
        // Windows 95 (4.0), 98 (4.10), Me (4.90).
        if (version.blockMinor < 10)
            return 1;
        if (version.blockMinor < 90)
            return 2;
        return 3;
    }
    if (version.blockPlatformId != kPlatformNt)
        return 0;
    if (version.blockMajor <= 4)
        return 4;
    if (version.blockMajor == 5) {
        if (version.blockMinor == 0)
            return 5;
        if (version.blockMinor == 1)
            return 6;
        if (version.blockMinor == 2)
            return 7;
        return 0;
    }
    if (version.blockMajor == 6) {
        if (version.blockMinor == 0)
            return 8;
        if (version.blockMinor == 1)
            return 9;
    }
    return 0;
}

}  // namespace hs::app
