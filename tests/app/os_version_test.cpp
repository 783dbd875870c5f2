#include "app/os_version.h"

#include <gtest/gtest.h>

namespace hs::app {
namespace {

OsVersion Reported(int major, int minor) {
    OsVersion v;
    v.reportedMajor = major;
    v.reportedMinor = minor;
    return v;
}

OsVersion Block(int platform, int major, int minor) {
    OsVersion v;
    v.blockPlatformId = platform;
    v.blockMajor = major;
    v.blockMinor = minor;
    return v;
}

TEST(OsVersion, CodeFromTheReportedVersion) {
    EXPECT_EQ(OsVersionCode(Reported(5, 0)), 1);
    EXPECT_EQ(OsVersionCode(Reported(5, 1)), 2);
    EXPECT_EQ(OsVersionCode(Reported(5, 2)), 3);
    EXPECT_EQ(OsVersionCode(Reported(6, 0)), 4);
    EXPECT_EQ(OsVersionCode(Reported(6, 1)), 5);
    EXPECT_EQ(OsVersionCode(Reported(6, 2)), 6);
    EXPECT_EQ(OsVersionCode(Reported(6, 3)), -1);
    EXPECT_EQ(OsVersionCode(Reported(10, 0)), -1);
    EXPECT_EQ(OsVersionCode(Reported(4, 0)), -1);
    // Minor 10 reads as one whole unit: 5 + 10/10 = 6.0.
    EXPECT_EQ(OsVersionCode(Reported(5, 10)), 4);
}

TEST(OsVersion, CategoryFromTheEnvironmentBlock) {
    EXPECT_EQ(EnvironmentCategory(Block(1, 4, 0)), 1);
    EXPECT_EQ(EnvironmentCategory(Block(1, 4, 10)), 2);
    EXPECT_EQ(EnvironmentCategory(Block(1, 4, 90)), 3);
    EXPECT_EQ(EnvironmentCategory(Block(2, 4, 0)), 4);
    EXPECT_EQ(EnvironmentCategory(Block(2, 3, 51)), 4);
    EXPECT_EQ(EnvironmentCategory(Block(2, 5, 0)), 5);
    EXPECT_EQ(EnvironmentCategory(Block(2, 5, 1)), kWindowsXpCategory);
    EXPECT_EQ(EnvironmentCategory(Block(2, 5, 2)), 7);
    EXPECT_EQ(EnvironmentCategory(Block(2, 6, 0)), 8);
    EXPECT_EQ(EnvironmentCategory(Block(2, 6, 1)), 9);
    EXPECT_EQ(EnvironmentCategory(Block(2, 6, 2)), 0);
    EXPECT_EQ(EnvironmentCategory(Block(2, 10, 0)), 0);
    EXPECT_EQ(EnvironmentCategory(Block(3, 5, 1)), 0);
}

}  // namespace
}  // namespace hs::app
