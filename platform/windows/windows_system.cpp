#include "platform/windows/windows_system.h"

#include <windows.h>
#include <winternl.h>

#include <cstring>
#include <utility>
#include <vector>

#include "platform/windows/proc_lookup.h"
#include "platform/windows/wide.h"

namespace hs::win {
namespace {

// Offsets of the version fields in the process environment block. The public
// winternl.h layout ends long before them, so they are read at their fixed offsets:
//   32-bit PEB: OSMajorVersion 0xA4 (ULONG), OSMinorVersion 0xA8 (ULONG),
//               OSBuildNumber 0xAC (USHORT), OSCSDVersion 0xAE (USHORT),
//               OSPlatformId 0xB0 (ULONG)
//   64-bit PEB: the same fields at 0x118, 0x11C, 0x120, 0x122 and 0x124.
// A 32-bit process on 64-bit Windows has its own 32-bit PEB with these fields filled.
#if defined(_WIN64)
constexpr size_t kPebMajor = 0x118;
constexpr size_t kPebMinor = 0x11C;
constexpr size_t kPebPlatformId = 0x124;
#else
constexpr size_t kPebMajor = 0xA4;
constexpr size_t kPebMinor = 0xA8;
constexpr size_t kPebPlatformId = 0xB0;
#endif

// The process environment block of the calling process. GCC takes the segment read
// inside NtCurrentTeb for an access to a zero-length array; it is not one.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
const unsigned char* CurrentPeb() {
    return reinterpret_cast<const unsigned char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
}
#pragma GCC diagnostic pop

int PebField(const unsigned char* peb, size_t offset) {
    ULONG value = 0;
    std::memcpy(&value, peb + offset, sizeof value);
    return static_cast<int>(value);
}

// The system's real version through ntdll's RtlGetVersion, which answers whatever the
// manifest declares; looked up, as it is not in every ntdll the toolchain knows of.
void ReadRealVersion(OsVersion& version) {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto getVersion =
        ntdll != nullptr ? LookUpProc<RtlGetVersionFn>(ntdll, "RtlGetVersion") : nullptr;
    if (getVersion == nullptr)
        return;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (getVersion(&info) != 0)  // STATUS_SUCCESS
        return;
    version.realMajor = static_cast<int>(info.dwMajorVersion);
    version.realMinor = static_cast<int>(info.dwMinorVersion);
    version.realBuild = static_cast<int>(info.dwBuildNumber);
}

// IsWow64Process, looked up: Windows XP before SP2 has none (and no 64-bit Windows).
bool RunsUnderWow64() {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto isWow64 =
        kernel != nullptr ? LookUpProc<IsWow64ProcessFn>(kernel, "IsWow64Process") : nullptr;
    BOOL wow64 = FALSE;
    return isWow64 != nullptr && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace

Elevation WindowsSystemInfo::ProcessElevation() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return Elevation::Unknown;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const BOOL read =
        GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    CloseHandle(token);
    if (!read)
        return Elevation::Unknown;
    return elevation.TokenIsElevated != 0 ? Elevation::Elevated : Elevation::NotElevated;
}

OsVersion WindowsSystemInfo::Version() {
    OsVersion version;
    const DWORD reported = GetVersion();
    version.reportedMajor = static_cast<int>(reported & 0xFF);
    version.reportedMinor = static_cast<int>((reported >> 8) & 0xFF);
    const unsigned char* peb = CurrentPeb();
    if (peb != nullptr) {
        version.blockMajor = PebField(peb, kPebMajor);
        version.blockMinor = PebField(peb, kPebMinor);
        version.blockPlatformId = PebField(peb, kPebPlatformId);
    }
    ReadRealVersion(version);
    version.wow64 = RunsUnderWow64();
    return version;
}

bool WindowsDesktop::RestoreExistingWindow(const std::string& title) {
    HWND window = FindWindowW(nullptr, Widen(title).c_str());
    if (window == nullptr)
        return false;
    OpenIcon(window);
    return true;
}

namespace {

ScreenRect FromRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        auto* layout = reinterpret_cast<DisplayLayout*>(data);
        layout->workAreas.push_back(FromRect(info.rcWork));
        layout->monitors.push_back(FromRect(info.rcMonitor));
    }
    return TRUE;
}

}  // namespace

DisplayLayout WindowsDesktop::Displays() {
    DisplayLayout layout;
    layout.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    layout.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    DisplayLayout listed;
    if (EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&listed))) {
        layout.workAreas = std::move(listed.workAreas);
        layout.monitors = std::move(listed.monitors);
    }
    return layout;
}

}  // namespace hs::win
