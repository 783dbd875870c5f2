// The stand-in's own declarations of the interfaces it implements, written from the
// published Windows Runtime ABI as C++ interfaces (the compiler lays their tables out
// as COM does): IUnknown's three slots, IInspectable's three, then each interface's
// methods in their published order. The IIDs are the published ones.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include <cstdint>

namespace standin {

struct StringHandle;
using HSTR = StringHandle*;
using boolean8 = uint8_t;

struct IInsp : public IUnknown {
    virtual HRESULT __stdcall GetIids(ULONG* count, IID** iids) = 0;
    virtual HRESULT __stdcall GetRuntimeClassName(HSTR* name) = 0;
    virtual HRESULT __stdcall GetTrustLevel(int* level) = 0;
};

struct IActivationFactoryX : IInsp {
    virtual HRESULT __stdcall ActivateInstance(IInsp** instance) = 0;
};

struct IAsyncInfoX : IInsp {
    virtual HRESULT __stdcall get_Id(uint32_t* id) = 0;
    virtual HRESULT __stdcall get_Status(int32_t* status) = 0;
    virtual HRESULT __stdcall get_ErrorCode(HRESULT* code) = 0;
    virtual HRESULT __stdcall Cancel() = 0;
    virtual HRESULT __stdcall Close() = 0;
};

struct IAsyncActionX : IInsp {
    virtual HRESULT __stdcall put_Completed(IUnknown* handler) = 0;
    virtual HRESULT __stdcall get_Completed(IUnknown** handler) = 0;
    virtual HRESULT __stdcall GetResults() = 0;
};

struct IOperationResultX : IInsp {
    virtual HRESULT __stdcall get_Status(int32_t* status) = 0;
    virtual HRESULT __stdcall get_AdditionalErrorMessage(HSTR* message) = 0;
};

struct IAsyncOperationResultX : IInsp {
    virtual HRESULT __stdcall put_Completed(IUnknown* handler) = 0;
    virtual HRESULT __stdcall get_Completed(IUnknown** handler) = 0;
    virtual HRESULT __stdcall GetResults(IOperationResultX** result) = 0;
};

struct IVectorViewX : IInsp {
    virtual HRESULT __stdcall GetAt(uint32_t index, IInsp** item) = 0;
    virtual HRESULT __stdcall get_Size(uint32_t* size) = 0;
    virtual HRESULT __stdcall IndexOf(IInsp* item, uint32_t* index, boolean8* found) = 0;
    virtual HRESULT __stdcall GetMany(uint32_t start, uint32_t capacity, IInsp** items,
                                      uint32_t* actual) = 0;
};

struct INetworkAdapterX : IInsp {
    virtual HRESULT __stdcall get_OutboundMaxBitsPerSecond(uint64_t* value) = 0;
    virtual HRESULT __stdcall get_InboundMaxBitsPerSecond(uint64_t* value) = 0;
    virtual HRESULT __stdcall get_IanaInterfaceType(uint32_t* value) = 0;
    virtual HRESULT __stdcall get_NetworkItem(IInsp** value) = 0;
    virtual HRESULT __stdcall get_NetworkAdapterId(GUID* value) = 0;
    virtual HRESULT __stdcall GetConnectedProfileAsync(IInsp** value) = 0;
};

struct IConnectionProfileX : IInsp {
    virtual HRESULT __stdcall get_ProfileName(HSTR* value) = 0;
    virtual HRESULT __stdcall GetNetworkConnectivityLevel(int32_t* value) = 0;
    virtual HRESULT __stdcall GetNetworkNames(IInsp** value) = 0;
    virtual HRESULT __stdcall GetConnectionCost(IInsp** value) = 0;
    virtual HRESULT __stdcall GetDataPlanStatus(IInsp** value) = 0;
    virtual HRESULT __stdcall get_NetworkAdapter(INetworkAdapterX** value) = 0;
    virtual HRESULT __stdcall GetLocalUsage(int64_t start, int64_t end, IInsp** value) = 0;
    virtual HRESULT __stdcall GetLocalUsagePerRoamingStates(int64_t start, int64_t end,
                                                            int32_t states, IInsp** value) = 0;
    virtual HRESULT __stdcall get_NetworkSecuritySettings(IInsp** value) = 0;
};

struct INetworkInformationStaticsX : IInsp {
    virtual HRESULT __stdcall GetConnectionProfiles(IVectorViewX** value) = 0;
    virtual HRESULT __stdcall GetInternetConnectionProfile(IConnectionProfileX** value) = 0;
    virtual HRESULT __stdcall GetLanIdentifiers(IInsp** value) = 0;
    virtual HRESULT __stdcall GetHostNames(IInsp** value) = 0;
    virtual HRESULT __stdcall GetProxyConfigurationAsync(IInsp* uri, IInsp** value) = 0;
    virtual HRESULT __stdcall GetSortedEndpointPairs(IInsp* pairs, int32_t options,
                                                     IInsp** value) = 0;
    virtual HRESULT __stdcall add_NetworkStatusChanged(IUnknown* handler, int64_t* token) = 0;
    virtual HRESULT __stdcall remove_NetworkStatusChanged(int64_t token) = 0;
};

struct IAccessPointConfigurationX : IInsp {
    virtual HRESULT __stdcall get_Ssid(HSTR* value) = 0;
    virtual HRESULT __stdcall put_Ssid(HSTR value) = 0;
    virtual HRESULT __stdcall get_Passphrase(HSTR* value) = 0;
    virtual HRESULT __stdcall put_Passphrase(HSTR value) = 0;
};

struct ITetheringManagerX : IInsp {
    virtual HRESULT __stdcall get_MaxClientCount(uint32_t* value) = 0;
    virtual HRESULT __stdcall get_ClientCount(uint32_t* value) = 0;
    virtual HRESULT __stdcall get_TetheringOperationalState(int32_t* value) = 0;
    virtual HRESULT __stdcall GetCurrentAccessPointConfiguration(
        IAccessPointConfigurationX** value) = 0;
    virtual HRESULT __stdcall ConfigureAccessPointAsync(IAccessPointConfigurationX* configuration,
                                                        IAsyncActionX** action) = 0;
    virtual HRESULT __stdcall StartTetheringAsync(IAsyncOperationResultX** operation) = 0;
    virtual HRESULT __stdcall StopTetheringAsync(IAsyncOperationResultX** operation) = 0;
};

struct ITetheringStatics2X : IInsp {
    virtual HRESULT __stdcall GetTetheringCapabilityFromConnectionProfile(
        IConnectionProfileX* profile, int32_t* capability) = 0;
    virtual HRESULT __stdcall CreateFromConnectionProfile(IConnectionProfileX* profile,
                                                          ITetheringManagerX** manager) = 0;
};

struct ITetheringStatics3X : IInsp {
    virtual HRESULT __stdcall CreateFromConnectionProfileWithTargetAdapter(
        IConnectionProfileX* profile, INetworkAdapterX* adapter, ITetheringManagerX** manager) = 0;
};

struct ITetheringStatics4X : IInsp {
    virtual HRESULT __stdcall IsNoConnectionsTimeoutEnabled(boolean8* enabled) = 0;
    virtual HRESULT __stdcall EnableNoConnectionsTimeout() = 0;
    virtual HRESULT __stdcall EnableNoConnectionsTimeoutAsync(IAsyncActionX** action) = 0;
    virtual HRESULT __stdcall DisableNoConnectionsTimeout() = 0;
    virtual HRESULT __stdcall DisableNoConnectionsTimeoutAsync(IAsyncActionX** action) = 0;
};

struct ITetheringClientManagerX : IInsp {
    virtual HRESULT __stdcall GetTetheringClients(IVectorViewX** clients) = 0;
};

struct ITetheringClientX : IInsp {
    virtual HRESULT __stdcall get_MacAddress(HSTR* value) = 0;
    virtual HRESULT __stdcall get_HostNames(IVectorViewX** value) = 0;
};

struct IHostNameX : IInsp {
    virtual HRESULT __stdcall get_IPInformation(IInsp** value) = 0;
    virtual HRESULT __stdcall get_RawName(HSTR* value) = 0;
    virtual HRESULT __stdcall get_DisplayName(HSTR* value) = 0;
    virtual HRESULT __stdcall get_CanonicalName(HSTR* value) = 0;
    virtual HRESULT __stdcall get_Type(int32_t* value) = 0;
    virtual HRESULT __stdcall IsEqual(IHostNameX* other, boolean8* equal) = 0;
};

// {AF86E2E0-B12D-4C6A-9C5A-D7AA65101E90}
inline const IID kInspectable = {
    0xAF86E2E0, 0xB12D, 0x4C6A, {0x9C, 0x5A, 0xD7, 0xAA, 0x65, 0x10, 0x1E, 0x90}};
inline const IID kActivationFactory = {
    0x00000035, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline const IID kAsyncInfo = {
    0x00000036, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline const IID kAsyncAction = {
    0x5A648006, 0x843A, 0x4DA9, {0x86, 0x5B, 0x9D, 0x26, 0xE5, 0xDF, 0xAD, 0x7B}};
// IAsyncOperation<NetworkOperatorTetheringOperationResult>
inline const IID kAsyncOperationResult = {
    0x601B30ED, 0x9B7F, 0x54B6, {0xB6, 0x1B, 0x24, 0xA0, 0x9B, 0xC5, 0x63, 0x04}};
inline const IID kOperationResult = {
    0xEBD203A1, 0x01BA, 0x476D, {0xB4, 0xB3, 0xBF, 0x3D, 0x12, 0xC8, 0xF8, 0x0C}};
inline const IID kNetworkAdapter = {
    0x3B542E03, 0x5388, 0x496C, {0xA8, 0xA3, 0xAF, 0xFD, 0x39, 0xAE, 0xC2, 0xE6}};
inline const IID kConnectionProfile = {
    0x71BA143C, 0x598E, 0x49D0, {0x84, 0xEB, 0x8F, 0xEB, 0xAE, 0xDC, 0xC1, 0x95}};
inline const IID kNetworkInformationStatics = {
    0x5074F851, 0x950D, 0x4165, {0x9C, 0x15, 0x36, 0x56, 0x19, 0x48, 0x1E, 0xEA}};
inline const IID kAccessPointConfiguration = {
    0x0BCC0284, 0x412E, 0x403D, {0xAC, 0xC6, 0xB7, 0x57, 0xE3, 0x47, 0x74, 0xA4}};
inline const IID kTetheringManager = {
    0xD45A8DA0, 0x0E86, 0x4D98, {0x8B, 0xA4, 0xDD, 0x70, 0xD4, 0xB7, 0x64, 0xD3}};
inline const IID kTetheringStatics2 = {
    0x5B235412, 0x35F0, 0x49E7, {0x9B, 0x08, 0x16, 0xD2, 0x78, 0xFB, 0xAA, 0x42}};
inline const IID kTetheringStatics3 = {
    0x8FDAADB6, 0x4AF9, 0x4F21, {0x9B, 0x58, 0xD5, 0x3E, 0x9F, 0x24, 0x23, 0x1E}};
inline const IID kTetheringStatics4 = {
    0xB3B9F9D0, 0xEBFF, 0x46A4, {0xA8, 0x47, 0xD6, 0x63, 0xD8, 0xB0, 0x97, 0x7E}};
inline const IID kTetheringClientManager = {
    0x91B14016, 0x8DCA, 0x4225, {0xBB, 0xED, 0xEE, 0xF8, 0xB8, 0xD7, 0x18, 0xD7}};
inline const IID kTetheringClient = {
    0x709D254C, 0x595F, 0x4847, {0xBB, 0x30, 0x64, 0x69, 0x35, 0x54, 0x29, 0x18}};
inline const IID kHostName = {
    0xBF8ECAAD, 0xED96, 0x49A7, {0x90, 0x84, 0xD4, 0x16, 0xCA, 0xE8, 0x8D, 0xCB}};

}  // namespace standin
