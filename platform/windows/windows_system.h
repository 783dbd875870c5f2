// The operating system's version and the desktop, as Windows reports them.
#pragma once

#include <string>

#include "platform/host.h"

namespace hs::win {

class WindowsSystemInfo : public SystemInfo {
  public:
    // The reported version comes from GetVersion (low byte major, next byte minor);
    // the block fields are read from the process environment block, which carries
    // the version the system really is, whatever it tells the process. The real
    // version and build come from ntdll's RtlGetVersion and WOW64 from
    // IsWow64Process, both looked up at run time.
    OsVersion Version() override;
    // TokenElevation of the process token (Windows Vista and later); Unknown where the
    // system has no such information (Windows XP) or refuses it.
    Elevation ProcessElevation() override;
    // Each character through WideCharToMultiByte(CP_ACP) without best-fit mappings;
    // one that needs the default character is not held.
    std::string Unencodable(const std::string& utf8) override;
};

class WindowsDesktop : public Desktop {
  public:
    // FindWindowW with any window class and the exact title; OpenIcon on the window
    // found, which restores it when it is minimised.
    bool RestoreExistingWindow(const std::string& title) override;
    // The primary screen's size (GetSystemMetrics) and every monitor's whole area and
    // work area (EnumDisplayMonitors and GetMonitorInfo).
    DisplayLayout Displays() override;
};

}  // namespace hs::win
