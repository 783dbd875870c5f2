// The few Windows Runtime interfaces the Mobile Hotspot needs, declared from their
// published binary interface: no Windows SDK header and no language projection is
// used, and every call goes through the interface's table of functions.
//
// Each interface is a pointer to its table; the table starts with the three slots of
// IUnknown (QueryInterface, AddRef, Release) and the three of IInspectable (GetIids,
// GetRuntimeClassName, GetTrustLevel), so an interface's first own method is slot 6.
// Every method returns an HRESULT and uses the system's calling convention
// (__stdcall on 32-bit x86, ignored on x86-64); handles, strings and interface
// pointers are pointer-sized, enumerations and counts are 32-bit, a WinRT boolean is
// one byte. The static_asserts at the end pin each slot used to its index.
//
// Checked against two independent sources each (the IID and the order of the slots):
//   IActivationFactory {00000035-...}, slot 6 ActivateInstance: an early C++/WinRT
//     base header (IActivationFactory : IInspectable, one method); a Python WinRT
//     binding's virtual table; also a Go WinRT loader's IID table.
//   IAsyncInfo {00000036-...}, slots 7 Status, 8 ErrorCode, 9 Cancel, 10 Close:
//     a Delphi RTL WinRT unit; the Dart win32 package's generated iasyncinfo.dart;
//     also a published C# declaration and an AutoHotkey helper (slots 7, 8, 10).
//   IAsyncAction {5A648006-...}, slot 8 GetResults: the SDK-derived MIDL header of a
//     public project; win32more's Windows.Foundation module; a Delphi RTL unit.
//   IAsyncOperation<NetworkOperatorTetheringOperationResult> {601B30ED-...}, slot 8
//     GetResults: computed here by the parameterized-IID rule and stated as the
//     "_Base" GUID in Embarcadero's Winapi.Networking.NetworkOperators unit; the slot
//     order of IAsyncOperation`1 from win32more and Embarcadero's unit.
//   IVectorView`1, slots 6 GetAt, 7 Size: Embarcadero's C++Builder WinRT header
//     (IVectorView of tethering clients); a published koffi WinRT client (getAt 6,
//     size 7).
//   INetworkInformationStatics {5074F851-...}, slots 6 GetConnectionProfiles,
//     7 GetInternetConnectionProfile: an early C++/WinRT projection header
//     (guid_v table); Embarcadero's C++Builder WinRT header.
//   IConnectionProfile {71BA143C-...}, slot 11 NetworkAdapter: Embarcadero's Delphi
//     unit; win32more's Windows.Networking.Connectivity module; also the D binding.
//   INetworkAdapter {3B542E03-...}, slot 10 NetworkAdapterId: Embarcadero's Delphi
//     unit; win32more (winrt_commethod(10)); also an AutoHotkey binding.
//   INetworkOperatorTetheringManagerStatics2 {5B235412-...}, slots 6
//     GetTetheringCapabilityFromConnectionProfile, 7 CreateFromConnectionProfile:
//     Embarcadero's Delphi unit; an early C++/WinRT ABI header; the AutoHotkey binding.
//   INetworkOperatorTetheringManagerStatics4 {B3B9F9D0-...}, slots 6
//     IsNoConnectionsTimeoutEnabled, 9 DisableNoConnectionsTimeout: the Dart
//     dartwinrt binding; Embarcadero's Delphi unit; the AutoIt binding (Windows 11).
//   INetworkOperatorTetheringManager {D45A8DA0-...}, slots 6 MaxClientCount,
//     7 ClientCount, 8 TetheringOperationalState, 10 ConfigureAccessPointAsync,
//     11 StartTetheringAsync, 12 StopTetheringAsync: the AutoIt binding; Embarcadero's
//     Delphi unit; an early C++/WinRT ABI header.
//   INetworkOperatorTetheringClientManager {91B14016-...}, slot 6
//     GetTetheringClients: an early C++/WinRT ABI header; the D binding.
//   INetworkOperatorTetheringClient {709D254C-...}, slots 6 MacAddress, 7 HostNames:
//     Embarcadero's C++Builder header; the Dart binding; the AutoHotkey binding.
//   IHostName {BF8ECAAD-...}, slot 7 RawName: win32more's Windows.Networking module;
//     the D binding; an SDK-derived MIDL header.
//   INetworkOperatorTetheringAccessPointConfiguration {0BCC0284-...}, slots 7 put_Ssid,
//     9 put_Passphrase: the D binding; an early C++/WinRT ABI header; a published note
//     of the slots read from the system's own Windows.Networking.winmd.
//   INetworkOperatorTetheringOperationResult {EBD203A1-...}, slots 6 Status,
//     7 AdditionalErrorMessage: Embarcadero's Delphi unit; an early C++/WinRT ABI
//     header; the D binding.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace hs::win::winrt {

// A Windows Runtime string handle; null is the empty string.
struct HStringOpaque;
using HString = HStringOpaque*;

// WinRT's one-byte boolean.
using Boolean = uint8_t;

// AsyncStatus.
enum AsyncStatus : int32_t {
    kAsyncStarted = 0,
    kAsyncCompleted = 1,
    kAsyncCanceled = 2,
    kAsyncError = 3,
};

constexpr HRESULT kClassNotRegistered = static_cast<HRESULT>(0x80040154);  // REGDB_E_CLASSNOTREG
constexpr HRESULT kChangedMode = static_cast<HRESULT>(0x80010106);         // RPC_E_CHANGED_MODE

// The six slots every interface starts with.
#define HS_WINRT_INSPECTABLE_SLOTS                                               \
    HRESULT(__stdcall* QueryInterface)(void* self, const GUID& iid, void** out); \
    ULONG(__stdcall* AddRef)(void* self);                                        \
    ULONG(__stdcall* Release)(void* self);                                       \
    HRESULT(__stdcall* GetIids)(void* self, ULONG* count, GUID** iids);          \
    HRESULT(__stdcall* GetRuntimeClassName)(void* self, HString* name);          \
    HRESULT(__stdcall* GetTrustLevel)(void* self, int32_t* level);

// An interface pointer: the object's first word points at its table.
template <class Table>
struct Interface {
    const Table* vtbl;
};

struct InspectableTable {
    HS_WINRT_INSPECTABLE_SLOTS
};
using Inspectable = Interface<InspectableTable>;

struct ActivationFactoryTable {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* ActivateInstance)(void* self, Inspectable** instance);
};
using ActivationFactory = Interface<ActivationFactoryTable>;

struct AsyncInfoTable {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* get_Id)(void* self, uint32_t* id);
    HRESULT(__stdcall* get_Status)(void* self, int32_t* status);
    HRESULT(__stdcall* get_ErrorCode)(void* self, HRESULT* code);
    HRESULT(__stdcall* Cancel)(void* self);
    HRESULT(__stdcall* Close)(void* self);
};
using AsyncInfo = Interface<AsyncInfoTable>;

struct AsyncActionTable {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* put_Completed)(void* self, void* handler);
    HRESULT(__stdcall* get_Completed)(void* self, void** handler);
    HRESULT(__stdcall* GetResults)(void* self);
};
using AsyncAction = Interface<AsyncActionTable>;

struct OperationResultTable;
using OperationResult = Interface<OperationResultTable>;

// IAsyncOperation<NetworkOperatorTetheringOperationResult>.
struct AsyncOperationTable {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* put_Completed)(void* self, void* handler);
    HRESULT(__stdcall* get_Completed)(void* self, void** handler);
    HRESULT(__stdcall* GetResults)(void* self, OperationResult** result);
};
using AsyncOperation = Interface<AsyncOperationTable>;

// IVectorView<T> for an interface T; only the two slots read are typed.
struct VectorViewTable {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* GetAt)(void* self, uint32_t index, void** item);
    HRESULT(__stdcall* get_Size)(void* self, uint32_t* size);
    HRESULT(__stdcall* IndexOf)(void* self, void* item, uint32_t* index, Boolean* found);
    HRESULT(__stdcall* GetMany)
    (void* self, uint32_t start, uint32_t capacity, void** items, uint32_t* actual);
};
using VectorView = Interface<VectorViewTable>;

struct NetworkAdapterTable {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* get_OutboundMaxBitsPerSecond)(void* self, uint64_t* value);
    HRESULT(__stdcall* get_InboundMaxBitsPerSecond)(void* self, uint64_t* value);
    HRESULT(__stdcall* get_IanaInterfaceType)(void* self, uint32_t* value);
    HRESULT(__stdcall* get_NetworkItem)(void* self, Inspectable** value);
    HRESULT(__stdcall* get_NetworkAdapterId)(void* self, GUID* value);
};
using NetworkAdapter = Interface<NetworkAdapterTable>;

struct ConnectionProfileTable {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* get_ProfileName)(void* self, HString* value);
    HRESULT(__stdcall* GetNetworkConnectivityLevel)(void* self, int32_t* value);
    HRESULT(__stdcall* GetNetworkNames)(void* self, VectorView** value);
    HRESULT(__stdcall* GetConnectionCost)(void* self, Inspectable** value);
    HRESULT(__stdcall* GetDataPlanStatus)(void* self, Inspectable** value);
    HRESULT(__stdcall* get_NetworkAdapter)(void* self, NetworkAdapter** value);
};
using ConnectionProfile = Interface<ConnectionProfileTable>;

struct NetworkInformationStaticsTable {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* GetConnectionProfiles)(void* self, VectorView** value);
    HRESULT(__stdcall* GetInternetConnectionProfile)(void* self, ConnectionProfile** value);
};
using NetworkInformationStatics = Interface<NetworkInformationStaticsTable>;

struct AccessPointConfigurationTable {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* get_Ssid)(void* self, HString* value);
    HRESULT(__stdcall* put_Ssid)(void* self, HString value);
    HRESULT(__stdcall* get_Passphrase)(void* self, HString* value);
    HRESULT(__stdcall* put_Passphrase)(void* self, HString value);
};
using AccessPointConfiguration = Interface<AccessPointConfigurationTable>;

struct OperationResultTable {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* get_Status)(void* self, int32_t* status);
    HRESULT(__stdcall* get_AdditionalErrorMessage)(void* self, HString* value);
};

struct TetheringManagerTable {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* get_MaxClientCount)(void* self, uint32_t* value);
    HRESULT(__stdcall* get_ClientCount)(void* self, uint32_t* value);
    HRESULT(__stdcall* get_TetheringOperationalState)(void* self, int32_t* value);
    HRESULT(__stdcall* GetCurrentAccessPointConfiguration)
    (void* self, AccessPointConfiguration** value);
    HRESULT(__stdcall* ConfigureAccessPointAsync)
    (void* self, AccessPointConfiguration* config, AsyncAction** action);
    HRESULT(__stdcall* StartTetheringAsync)(void* self, AsyncOperation** operation);
    HRESULT(__stdcall* StopTetheringAsync)(void* self, AsyncOperation** operation);
};
using TetheringManager = Interface<TetheringManagerTable>;

struct TetheringStatics2Table {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* GetTetheringCapabilityFromConnectionProfile)
    (void* self, ConnectionProfile* profile, int32_t* capability);
    HRESULT(__stdcall* CreateFromConnectionProfile)
    (void* self, ConnectionProfile* profile, TetheringManager** manager);
};
using TetheringStatics2 = Interface<TetheringStatics2Table>;

struct TetheringStatics4Table {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* IsNoConnectionsTimeoutEnabled)(void* self, Boolean* enabled);
    HRESULT(__stdcall* EnableNoConnectionsTimeout)(void* self);
    HRESULT(__stdcall* EnableNoConnectionsTimeoutAsync)(void* self, AsyncAction** action);
    HRESULT(__stdcall* DisableNoConnectionsTimeout)(void* self);
    HRESULT(__stdcall* DisableNoConnectionsTimeoutAsync)(void* self, AsyncAction** action);
};
using TetheringStatics4 = Interface<TetheringStatics4Table>;

struct TetheringClientManagerTable {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* GetTetheringClients)(void* self, VectorView** clients);
};
using TetheringClientManager = Interface<TetheringClientManagerTable>;

struct TetheringClientTable {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* get_MacAddress)(void* self, HString* value);
    HRESULT(__stdcall* get_HostNames)(void* self, VectorView** value);
};
using TetheringClient = Interface<TetheringClientTable>;

struct HostNameTable {
    HS_WINRT_INSPECTABLE_SLOTS
    HRESULT(__stdcall* get_IPInformation)(void* self, Inspectable** value);
    HRESULT(__stdcall* get_RawName)(void* self, HString* value);
};
using HostName = Interface<HostNameTable>;

#undef HS_WINRT_INSPECTABLE_SLOTS

// Slot N of a table lies N pointers from its start.
#define HS_WINRT_SLOT(table, method, n) \
    static_assert(offsetof(table, method) == (n) * sizeof(void*), #table "::" #method)
HS_WINRT_SLOT(InspectableTable, GetTrustLevel, 5);
HS_WINRT_SLOT(ActivationFactoryTable, ActivateInstance, 6);
HS_WINRT_SLOT(AsyncInfoTable, get_Status, 7);
HS_WINRT_SLOT(AsyncInfoTable, get_ErrorCode, 8);
HS_WINRT_SLOT(AsyncInfoTable, Cancel, 9);
HS_WINRT_SLOT(AsyncInfoTable, Close, 10);
HS_WINRT_SLOT(AsyncActionTable, GetResults, 8);
HS_WINRT_SLOT(AsyncOperationTable, GetResults, 8);
HS_WINRT_SLOT(VectorViewTable, GetAt, 6);
HS_WINRT_SLOT(VectorViewTable, get_Size, 7);
HS_WINRT_SLOT(NetworkAdapterTable, get_NetworkAdapterId, 10);
HS_WINRT_SLOT(ConnectionProfileTable, get_NetworkAdapter, 11);
HS_WINRT_SLOT(NetworkInformationStaticsTable, GetConnectionProfiles, 6);
HS_WINRT_SLOT(NetworkInformationStaticsTable, GetInternetConnectionProfile, 7);
HS_WINRT_SLOT(AccessPointConfigurationTable, put_Ssid, 7);
HS_WINRT_SLOT(AccessPointConfigurationTable, put_Passphrase, 9);
HS_WINRT_SLOT(OperationResultTable, get_Status, 6);
HS_WINRT_SLOT(OperationResultTable, get_AdditionalErrorMessage, 7);
HS_WINRT_SLOT(TetheringManagerTable, get_MaxClientCount, 6);
HS_WINRT_SLOT(TetheringManagerTable, get_ClientCount, 7);
HS_WINRT_SLOT(TetheringManagerTable, get_TetheringOperationalState, 8);
HS_WINRT_SLOT(TetheringManagerTable, ConfigureAccessPointAsync, 10);
HS_WINRT_SLOT(TetheringManagerTable, StartTetheringAsync, 11);
HS_WINRT_SLOT(TetheringManagerTable, StopTetheringAsync, 12);
HS_WINRT_SLOT(TetheringStatics2Table, GetTetheringCapabilityFromConnectionProfile, 6);
HS_WINRT_SLOT(TetheringStatics2Table, CreateFromConnectionProfile, 7);
HS_WINRT_SLOT(TetheringStatics4Table, IsNoConnectionsTimeoutEnabled, 6);
HS_WINRT_SLOT(TetheringStatics4Table, DisableNoConnectionsTimeout, 9);
HS_WINRT_SLOT(TetheringClientManagerTable, GetTetheringClients, 6);
HS_WINRT_SLOT(TetheringClientTable, get_MacAddress, 6);
HS_WINRT_SLOT(TetheringClientTable, get_HostNames, 7);
HS_WINRT_SLOT(HostNameTable, get_RawName, 7);
#undef HS_WINRT_SLOT

// Interface identifiers (sources above).
inline constexpr GUID kIidActivationFactory = {
    0x00000035, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr GUID kIidAsyncInfo = {
    0x00000036, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr GUID kIidNetworkInformationStatics = {
    0x5074F851, 0x950D, 0x4165, {0x9C, 0x15, 0x36, 0x56, 0x19, 0x48, 0x1E, 0xEA}};
inline constexpr GUID kIidTetheringStatics2 = {
    0x5B235412, 0x35F0, 0x49E7, {0x9B, 0x08, 0x16, 0xD2, 0x78, 0xFB, 0xAA, 0x42}};
inline constexpr GUID kIidTetheringStatics4 = {
    0xB3B9F9D0, 0xEBFF, 0x46A4, {0xA8, 0x47, 0xD6, 0x63, 0xD8, 0xB0, 0x97, 0x7E}};
inline constexpr GUID kIidTetheringClientManager = {
    0x91B14016, 0x8DCA, 0x4225, {0xBB, 0xED, 0xEE, 0xF8, 0xB8, 0xD7, 0x18, 0xD7}};
inline constexpr GUID kIidAccessPointConfiguration = {
    0x0BCC0284, 0x412E, 0x403D, {0xAC, 0xC6, 0xB7, 0x57, 0xE3, 0x47, 0x74, 0xA4}};

// Runtime class names.
inline constexpr wchar_t kNetworkInformationClass[] =
    L"Windows.Networking.Connectivity.NetworkInformation";
inline constexpr wchar_t kTetheringManagerClass[] =
    L"Windows.Networking.NetworkOperators.NetworkOperatorTetheringManager";
inline constexpr wchar_t kAccessPointConfigurationClass[] =
    L"Windows.Networking.NetworkOperators.NetworkOperatorTetheringAccessPointConfiguration";

}  // namespace hs::win::winrt
