#include "platform/windows/wireless_win.h"

#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/windows/proc_lookup.h"

namespace hs::win {
namespace {

// The WLAN API's own declarations, as its documentation gives them; the toolchain's
// wlanapi.h lacks the Hosted Network part. Offsets, the same on 32-bit and 64-bit
// Windows since no field is a pointer: state 0, device GUID 4, BSSID 20, PHY type 28,
// channel frequency 32, number of peers 36, peer list 40, each peer 12 bytes (its
// address, two bytes of padding, its state).
enum WlanHostedNetworkStateValue : DWORD { kUnavailable = 0, kIdle = 1, kActive = 2 };

struct WlanHostedNetworkPeerState {
    UCHAR peerMacAddress[6];
    DWORD peerAuthState;
};

struct WlanHostedNetworkStatusData {
    DWORD hostedNetworkState;
    GUID ipDeviceId;
    UCHAR bssid[6];
    DWORD dot11PhyType;
    ULONG channelFrequency;
    DWORD numberOfPeers;
    WlanHostedNetworkPeerState peerList[1];
};

static_assert(sizeof(WlanHostedNetworkPeerState) == 12, "peer state layout");
static_assert(offsetof(WlanHostedNetworkStatusData, numberOfPeers) == 36, "status layout");
static_assert(offsetof(WlanHostedNetworkStatusData, peerList) == 40, "status layout");

// WLAN_INTERFACE_INFO and WLAN_INTERFACE_INFO_LIST: the interface's GUID, its
// description (256 wide characters) and its state; the list's count and current
// index before the first element.
struct WlanInterfaceInfo {
    GUID interfaceGuid;
    WCHAR description[256];
    DWORD state;
};

struct WlanInterfaceInfoList {
    DWORD numberOfItems;
    DWORD index;
    WlanInterfaceInfo items[1];
};

static_assert(sizeof(WlanInterfaceInfo) == 532, "interface info layout");
static_assert(offsetof(WlanInterfaceInfoList, items) == 8, "interface list layout");

// wlan_intf_opcode_hosted_network_capable: a BOOL, TRUE when the driver can host.
constexpr DWORD kOpcodeHostedNetworkCapable = 15;

constexpr DWORD kClientVersion = 2;  // the version of Windows Vista and later

using OpenHandleFn = DWORD(WINAPI*)(DWORD, PVOID, PDWORD, PHANDLE);
using CloseHandleFn = DWORD(WINAPI*)(HANDLE, PVOID);
using FreeMemoryFn = VOID(WINAPI*)(PVOID);
using QueryStatusFn = DWORD(WINAPI*)(HANDLE, WlanHostedNetworkStatusData**, PVOID);
using EnumInterfacesFn = DWORD(WINAPI*)(HANDLE, PVOID, WlanInterfaceInfoList**);
using QueryInterfaceFn = DWORD(WINAPI*)(HANDLE, const GUID*, DWORD, PVOID, PDWORD, PVOID*, PDWORD);

struct WlanFunctions {
    OpenHandleFn open = nullptr;
    CloseHandleFn close = nullptr;
    FreeMemoryFn free = nullptr;
    QueryStatusFn queryStatus = nullptr;
    EnumInterfacesFn enumInterfaces = nullptr;
    QueryInterfaceFn queryInterface = nullptr;
    bool Handles() const { return open != nullptr && close != nullptr && free != nullptr; }
    bool Complete() const { return Handles() && queryStatus != nullptr; }
    bool Interfaces() const {
        return Handles() && enumInterfaces != nullptr && queryInterface != nullptr;
    }
};

// Loaded once and kept for the life of the process.
const WlanFunctions& Functions() {
    static const WlanFunctions functions = [] {
        WlanFunctions found;
        HMODULE module = LoadLibraryW(L"wlanapi.dll");
        if (module == nullptr)
            return found;
        found.open = LookUpProc<OpenHandleFn>(module, "WlanOpenHandle");
        found.close = LookUpProc<CloseHandleFn>(module, "WlanCloseHandle");
        found.free = LookUpProc<FreeMemoryFn>(module, "WlanFreeMemory");
        found.queryStatus = LookUpProc<QueryStatusFn>(module, "WlanHostedNetworkQueryStatus");
        found.enumInterfaces = LookUpProc<EnumInterfacesFn>(module, "WlanEnumInterfaces");
        found.queryInterface = LookUpProc<QueryInterfaceFn>(module, "WlanQueryInterface");
        return found;
    }();
    return functions;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case, as the adapter list names
// adapters; empty for the all-zero GUID.
std::string GuidText(const GUID& guid) {
    static const GUID kNone{};
    if (IsEqualGUID(guid, kNone))
        return {};
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    return text;
}

std::string MacText(const UCHAR (&mac)[6]) {
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2],
                  mac[3], mac[4], mac[5]);
    return text;
}

}  // namespace

bool WindowsWirelessLan::HostedNetwork(HostedNetworkStatus& out) {
    const WlanFunctions& wlan = Functions();
    if (!wlan.Complete())
        return false;
    HANDLE handle = nullptr;
    DWORD negotiated = 0;
    if (wlan.open(kClientVersion, nullptr, &negotiated, &handle) != ERROR_SUCCESS)
        return false;
    WlanHostedNetworkStatusData* status = nullptr;
    const DWORD result = wlan.queryStatus(handle, &status, nullptr);
    bool known = false;
    if (result == ERROR_SUCCESS && status != nullptr) {
        known = true;
        HostedNetworkStatus read;
        read.state = status->hostedNetworkState == kActive ? HostedNetworkState::Active
                     : status->hostedNetworkState == kIdle ? HostedNetworkState::Idle
                                                           : HostedNetworkState::Unavailable;
        read.deviceGuid = GuidText(status->ipDeviceId);
        // The peer list is valid only while the network runs.
        if (read.state == HostedNetworkState::Active) {
            // The list runs on past the one element the declaration gives it.
            const auto* peers = reinterpret_cast<const WlanHostedNetworkPeerState*>(
                reinterpret_cast<const char*>(status) +
                offsetof(WlanHostedNetworkStatusData, peerList));
            for (DWORD i = 0; i < status->numberOfPeers; ++i)
                read.peers.push_back(MacText(peers[i].peerMacAddress));
        }
        out = std::move(read);
    }
    if (status != nullptr)
        wlan.free(status);
    wlan.close(handle, nullptr);
    return known;
}

HostingSupport WindowsWirelessLan::DriverHosting() {
    const WlanFunctions& wlan = Functions();
    if (!wlan.Interfaces())
        return HostingSupport::Unknown;
    HANDLE handle = nullptr;
    DWORD negotiated = 0;
    if (wlan.open(kClientVersion, nullptr, &negotiated, &handle) != ERROR_SUCCESS)
        return HostingSupport::Unknown;
    WlanInterfaceInfoList* list = nullptr;
    int capable = 0;
    int incapable = 0;
    int unanswered = 0;
    if (wlan.enumInterfaces(handle, nullptr, &list) == ERROR_SUCCESS && list != nullptr) {
        // The list runs on past the one element the declaration gives it.
        const auto* items = reinterpret_cast<const WlanInterfaceInfo*>(
            reinterpret_cast<const char*>(list) + offsetof(WlanInterfaceInfoList, items));
        for (DWORD i = 0; i < list->numberOfItems; ++i) {
            DWORD size = 0;
            PVOID data = nullptr;
            DWORD valueType = 0;
            const DWORD result =
                wlan.queryInterface(handle, &items[i].interfaceGuid, kOpcodeHostedNetworkCapable,
                                    nullptr, &size, &data, &valueType);
            if (result == ERROR_SUCCESS && data != nullptr && size >= sizeof(BOOL)) {
                BOOL value = FALSE;
                std::memcpy(&value, data, sizeof value);
                ++(value != FALSE ? capable : incapable);
            } else {
                ++unanswered;
            }
            if (data != nullptr)
                wlan.free(data);
        }
    }
    if (list != nullptr)
        wlan.free(list);
    wlan.close(handle, nullptr);
    if (capable > 0)
        return HostingSupport::Supported;
    if (incapable > 0 && unanswered == 0)
        return HostingSupport::Unsupported;
    return HostingSupport::Unknown;
}

}  // namespace hs::win
