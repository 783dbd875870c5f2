// The version and desktop ports under Wine.
#include "platform/windows/windows_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/windows/wide.h"

namespace hs {
namespace {

TEST(WindowsSystemInfo, ReportsTheVersionTheSystemGivesAndTheOneInTheEnvironmentBlock) {
    const OsVersion version = win::WindowsSystemInfo().Version();

    OSVERSIONINFOW reported{};
    reported.dwOSVersionInfoSize = sizeof reported;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ASSERT_TRUE(GetVersionExW(&reported));
#pragma GCC diagnostic pop
    EXPECT_EQ(version.reportedMajor, static_cast<int>(reported.dwMajorVersion));
    EXPECT_EQ(version.reportedMinor, static_cast<int>(reported.dwMinorVersion));

    // ntdll's RtlGetVersion answers from the same block fields, whatever the process
    // is told, so it checks the offsets read.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    ASSERT_NE(rtlGetVersion, nullptr);
    OSVERSIONINFOW actual{};
    actual.dwOSVersionInfoSize = sizeof actual;
    ASSERT_EQ(rtlGetVersion(&actual), 0);
    EXPECT_EQ(version.blockMajor, static_cast<int>(actual.dwMajorVersion));
    EXPECT_EQ(version.blockMinor, static_cast<int>(actual.dwMinorVersion));
    EXPECT_EQ(version.blockPlatformId, static_cast<int>(actual.dwPlatformId));
    // The real version is RtlGetVersion's, build number included.
    EXPECT_EQ(version.realMajor, static_cast<int>(actual.dwMajorVersion));
    EXPECT_EQ(version.realMinor, static_cast<int>(actual.dwMinorVersion));
    EXPECT_EQ(version.realBuild, static_cast<int>(actual.dwBuildNumber));
    EXPECT_GT(version.realBuild, 0);
    EXPECT_EQ(version.blockPlatformId, 2);  // NT
    EXPECT_GE(version.blockMajor, 5);
    EXPECT_GE(version.reportedMajor, 5);
}

// The console tools take a network's name in the ANSI code page: Chinese passes on a
// Chinese system (936) and is named on a Western one (1252); an emoji is named on both.
// ctest runs this once more as a Western system, with HS_EXPECT_ACP saying which.
TEST(WindowsSystemInfo, NamesTheFirstCharacterTheAnsiCodePageLacks) {
    const UINT codePage = GetACP();
    if (const char* expected = std::getenv("HS_EXPECT_ACP"))
        ASSERT_EQ(codePage, std::stoul(expected));
    ASSERT_TRUE(codePage == 936 || codePage == 1252) << codePage;
    win::WindowsSystemInfo system;
    EXPECT_EQ(system.Unencodable("mylove 1"), "");
    EXPECT_EQ(system.Unencodable("Caf\xC3\xA9"), "");
    EXPECT_EQ(system.Unencodable("\xE7\x83\xAD\xE7\x82\xB9\xF0\x9F\x98\x80"),
              codePage == 936 ? "\xF0\x9F\x98\x80" : "\xE7\x83\xAD");
}

TEST(WindowsDesktop, RestoresAMinimisedWindowFoundByItsChineseTitle) {
    // The program's title with a suffix of this run: other programs on the same
    // desktop may show the plain title.
    const std::string title = "岚舟笔记本设置WiFi热点工具 测试" +
                              std::to_string(GetCurrentProcessId()) + "-" +
                              std::to_string(GetTickCount());
    win::WindowsDesktop desktop;
    EXPECT_FALSE(desktop.RestoreExistingWindow(title));

    HWND window = CreateWindowExW(0, L"STATIC", win::Widen(title).c_str(), WS_OVERLAPPEDWINDOW, 0,
                                  0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    if (window == nullptr)
        GTEST_SKIP() << "no display to create windows on";
    ShowWindow(window, SW_SHOWMINNOACTIVE);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    ASSERT_TRUE(IsIconic(window));
    EXPECT_FALSE(desktop.RestoreExistingWindow(title + " "));
    EXPECT_FALSE(desktop.RestoreExistingWindow(title.substr(0, title.size() - 1)));
    EXPECT_TRUE(desktop.RestoreExistingWindow(title));
    // The restore completes as the window's messages are processed.
    for (int i = 0; i < 100 && IsIconic(window); ++i) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(10);
    }
    EXPECT_FALSE(IsIconic(window));
    DestroyWindow(window);
    EXPECT_FALSE(desktop.RestoreExistingWindow(title));
}

}  // namespace
}  // namespace hs
