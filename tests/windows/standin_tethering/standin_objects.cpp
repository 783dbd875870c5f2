// The stand-in's objects: connection profiles and their adapters, the tethering
// manager with its client list, the access point configuration, and the asynchronous
// configure, start and stop, each an object that also answers IAsyncInfo and completes
// by the clock (no thread of its own), after the delay the test set, never, or in error.
#include <cwchar>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "standin_state.h"

namespace standin {

std::atomic<long> liveObjects{0};

namespace {

// IUnknown's counting and IInspectable's three slots, once per class.
#define STANDIN_COMMON                                                  \
    ULONG __stdcall AddRef() override {                                 \
        return static_cast<ULONG>(++refs_);                             \
    }                                                                   \
    ULONG __stdcall Release() override {                                \
        const long left = --refs_;                                      \
        if (left == 0)                                                  \
            delete this;                                                \
        return static_cast<ULONG>(left);                                \
    }                                                                   \
    HRESULT __stdcall GetIids(ULONG* count, IID** iids) override {      \
        *count = 0;                                                     \
        *iids = nullptr;                                                \
        return S_OK;                                                    \
    }                                                                   \
    HRESULT __stdcall GetRuntimeClassName(HSTR* name) override {        \
        *name = nullptr;                                                \
        return E_NOTIMPL;                                               \
    }                                                                   \
    HRESULT __stdcall GetTrustLevel(int* level) override {              \
        *level = 0;                                                     \
        return S_OK;                                                    \
    }                                                                   \
    HRESULT __stdcall QueryInterface(REFIID iid, void** out) override { \
        if (out == nullptr)                                             \
            return E_POINTER;                                           \
        *out = Find(iid);                                               \
        if (*out == nullptr)                                            \
            return E_NOINTERFACE;                                       \
        AddRef();                                                       \
        return S_OK;                                                    \
    }                                                                   \
                                                                        \
  private:                                                              \
    std::atomic<long> refs_{1};                                         \
    LiveToken token_;                                                   \
                                                                        \
  public:

constexpr HRESULT kIllegalMethodCall = static_cast<HRESULT>(0x8000000E);
constexpr HRESULT kBounds = static_cast<HRESULT>(0x8000000B);

bool Is(REFIID a, const IID& b) {
    return IsEqualGUID(a, b) != FALSE;
}
bool IsBase(REFIID iid) {
    return Is(iid, IID_IUnknown) || Is(iid, kInspectable);
}

template <class T>
HRESULT Give(T* object, T** out) {
    if (out == nullptr) {
        object->Release();
        return E_POINTER;
    }
    *out = object;
    return S_OK;
}

class Vector final : public IVectorViewX {
  public:
    STANDIN_COMMON
    explicit Vector(std::vector<IInsp*> items) : items_(std::move(items)) {}
    ~Vector() {
        for (IInsp* item : items_)
            item->Release();
    }
    void* Find(REFIID iid) { return IsBase(iid) ? static_cast<IVectorViewX*>(this) : nullptr; }
    HRESULT __stdcall GetAt(uint32_t index, IInsp** item) override {
        if (index >= items_.size())
            return kBounds;
        items_[index]->AddRef();
        *item = items_[index];
        return S_OK;
    }
    HRESULT __stdcall get_Size(uint32_t* size) override {
        *size = static_cast<uint32_t>(items_.size());
        return S_OK;
    }
    HRESULT __stdcall IndexOf(IInsp*, uint32_t*, boolean8*) override { return E_NOTIMPL; }
    HRESULT __stdcall GetMany(uint32_t, uint32_t, IInsp**, uint32_t*) override { return E_NOTIMPL; }

  private:
    std::vector<IInsp*> items_;
};

class Adapter final : public INetworkAdapterX {
  public:
    STANDIN_COMMON
    explicit Adapter(const GUID& id) : id_(id) {}
    void* Find(REFIID iid) {
        return IsBase(iid) || Is(iid, kNetworkAdapter) ? static_cast<INetworkAdapterX*>(this)
                                                       : nullptr;
    }
    HRESULT __stdcall get_OutboundMaxBitsPerSecond(uint64_t*) override { return E_NOTIMPL; }
    HRESULT __stdcall get_InboundMaxBitsPerSecond(uint64_t*) override { return E_NOTIMPL; }
    HRESULT __stdcall get_IanaInterfaceType(uint32_t* value) override {
        *value = 6;
        return S_OK;
    }
    HRESULT __stdcall get_NetworkItem(IInsp**) override { return E_NOTIMPL; }
    HRESULT __stdcall get_NetworkAdapterId(GUID* value) override {
        *value = id_;
        return S_OK;
    }
    HRESULT __stdcall GetConnectedProfileAsync(IInsp**) override { return E_NOTIMPL; }

  private:
    GUID id_;
};

class Profile final : public IConnectionProfileX {
  public:
    STANDIN_COMMON
    explicit Profile(const GUID& adapter) : adapter_(adapter) {}
    void* Find(REFIID iid) {
        return IsBase(iid) || Is(iid, kConnectionProfile) ? static_cast<IConnectionProfileX*>(this)
                                                          : nullptr;
    }
    HRESULT __stdcall get_ProfileName(HSTR* value) override {
        *value = Hand(L"以太网");
        return S_OK;
    }
    HRESULT __stdcall GetNetworkConnectivityLevel(int32_t* value) override {
        *value = 3;
        return S_OK;
    }
    HRESULT __stdcall GetNetworkNames(IInsp**) override { return E_NOTIMPL; }
    HRESULT __stdcall GetConnectionCost(IInsp**) override { return E_NOTIMPL; }
    HRESULT __stdcall GetDataPlanStatus(IInsp**) override { return E_NOTIMPL; }
    HRESULT __stdcall get_NetworkAdapter(INetworkAdapterX** value) override {
        return Give<INetworkAdapterX>(new Adapter(adapter_), value);
    }
    HRESULT __stdcall GetLocalUsage(int64_t, int64_t, IInsp**) override { return E_NOTIMPL; }
    HRESULT __stdcall GetLocalUsagePerRoamingStates(int64_t, int64_t, int32_t, IInsp**) override {
        return E_NOTIMPL;
    }
    HRESULT __stdcall get_NetworkSecuritySettings(IInsp**) override { return E_NOTIMPL; }

  private:
    GUID adapter_;
};

class NetworkInformation final : public IActivationFactoryX, public INetworkInformationStaticsX {
  public:
    STANDIN_COMMON
    void* Find(REFIID iid) {
        if (IsBase(iid) || Is(iid, kActivationFactory))
            return static_cast<IActivationFactoryX*>(this);
        if (Is(iid, kNetworkInformationStatics))
            return static_cast<INetworkInformationStaticsX*>(this);
        return nullptr;
    }
    HRESULT __stdcall ActivateInstance(IInsp**) override { return E_NOTIMPL; }
    HRESULT __stdcall GetConnectionProfiles(IVectorViewX** value) override {
        const StandinBehaviour b = Behaviour();
        std::vector<IInsp*> items;
        for (int i = 0; i < b.profileCount && i < 4; ++i)
            items.push_back(new Profile(b.profileAdapters[i]));
        return Give<IVectorViewX>(new Vector(std::move(items)), value);
    }
    HRESULT __stdcall GetInternetConnectionProfile(IConnectionProfileX** value) override {
        const StandinBehaviour b = Behaviour();
        if (b.internetProfile < 0 || b.internetProfile >= b.profileCount) {
            *value = nullptr;
            return S_OK;
        }
        return Give<IConnectionProfileX>(new Profile(b.profileAdapters[b.internetProfile]), value);
    }
    HRESULT __stdcall GetLanIdentifiers(IInsp**) override { return E_NOTIMPL; }
    HRESULT __stdcall GetHostNames(IInsp**) override { return E_NOTIMPL; }
    HRESULT __stdcall GetProxyConfigurationAsync(IInsp*, IInsp**) override { return E_NOTIMPL; }
    HRESULT __stdcall GetSortedEndpointPairs(IInsp*, int32_t, IInsp**) override {
        return E_NOTIMPL;
    }
    HRESULT __stdcall add_NetworkStatusChanged(IUnknown*, int64_t*) override { return E_NOTIMPL; }
    HRESULT __stdcall remove_NetworkStatusChanged(int64_t) override { return E_NOTIMPL; }
};

class Configuration final : public IAccessPointConfigurationX {
  public:
    STANDIN_COMMON
    void* Find(REFIID iid) {
        return IsBase(iid) || Is(iid, kAccessPointConfiguration)
                   ? static_cast<IAccessPointConfigurationX*>(this)
                   : nullptr;
    }
    HRESULT __stdcall get_Ssid(HSTR* value) override {
        *value = Hand(ssid_);
        return S_OK;
    }
    HRESULT __stdcall put_Ssid(HSTR value) override {
        ssid_ = Text(value);
        return S_OK;
    }
    HRESULT __stdcall get_Passphrase(HSTR* value) override {
        *value = Hand(passphrase_);
        return S_OK;
    }
    HRESULT __stdcall put_Passphrase(HSTR value) override {
        passphrase_ = Text(value);
        return S_OK;
    }
    const std::wstring& ssid() const { return ssid_; }
    const std::wstring& passphrase() const { return passphrase_; }

  private:
    std::wstring ssid_;
    std::wstring passphrase_;
};

class ConfigurationFactory final : public IActivationFactoryX {
  public:
    STANDIN_COMMON
    void* Find(REFIID iid) {
        return IsBase(iid) || Is(iid, kActivationFactory) ? static_cast<IActivationFactoryX*>(this)
                                                          : nullptr;
    }
    HRESULT __stdcall ActivateInstance(IInsp** instance) override {
        return Give<IInsp>(static_cast<IAccessPointConfigurationX*>(new Configuration), instance);
    }
};

// When an operation ends, by the clock, from the behaviour at its start.
class Timing {
  public:
    Timing() : behaviour_(Behaviour()), started_(GetTickCount()) {}
    int32_t Status() const {
        if (canceled_)
            return 2;
        if (behaviour_.delayMs < 0 ||
            GetTickCount() - started_ < static_cast<DWORD>(behaviour_.delayMs)) {
            return 0;
        }
        return behaviour_.operationError != S_OK ? 3 : 1;
    }
    HRESULT Error() const { return Status() == 3 ? behaviour_.operationError : S_OK; }
    void Cancel() {
        if (Status() == 0)
            canceled_ = true;
        Change([](StandinRecord& r) { ++r.cancels; });
    }
    void Close() {
        closed_ = true;
        Change([](StandinRecord& r) { ++r.closes; });
    }
    bool closed() const { return closed_; }
    const StandinBehaviour& behaviour() const { return behaviour_; }

  private:
    StandinBehaviour behaviour_;
    DWORD started_;
    bool canceled_ = false;
    bool closed_ = false;
};

#define STANDIN_ASYNC_INFO                                         \
    HRESULT __stdcall get_Id(uint32_t* id) override {              \
        *id = 1;                                                   \
        return S_OK;                                               \
    }                                                              \
    HRESULT __stdcall get_Status(int32_t* status) override {       \
        if (timing_.closed())                                      \
            return kIllegalMethodCall;                             \
        *status = timing_.Status();                                \
        return S_OK;                                               \
    }                                                              \
    HRESULT __stdcall get_ErrorCode(HRESULT* code) override {      \
        *code = timing_.Error();                                   \
        return S_OK;                                               \
    }                                                              \
    HRESULT __stdcall Cancel() override {                          \
        timing_.Cancel();                                          \
        return S_OK;                                               \
    }                                                              \
    HRESULT __stdcall Close() override {                           \
        timing_.Close();                                           \
        return S_OK;                                               \
    }                                                              \
    HRESULT __stdcall put_Completed(IUnknown*) override {          \
        return E_NOTIMPL;                                          \
    }                                                              \
    HRESULT __stdcall get_Completed(IUnknown** handler) override { \
        *handler = nullptr;                                        \
        return S_OK;                                               \
    }

class Action final : public IAsyncActionX, public IAsyncInfoX {
  public:
    STANDIN_COMMON
    STANDIN_ASYNC_INFO
    void* Find(REFIID iid) {
        if (IsBase(iid) || Is(iid, kAsyncAction))
            return static_cast<IAsyncActionX*>(this);
        if (Is(iid, kAsyncInfo))
            return static_cast<IAsyncInfoX*>(this);
        return nullptr;
    }
    HRESULT __stdcall GetResults() override {
        const int32_t status = timing_.Status();
        return status == 1 ? S_OK : status == 3 ? timing_.Error() : kIllegalMethodCall;
    }

  private:
    Timing timing_;
};

class Result final : public IOperationResultX {
  public:
    STANDIN_COMMON
    Result(int status, std::wstring message) : status_(status), message_(std::move(message)) {}
    void* Find(REFIID iid) {
        return IsBase(iid) || Is(iid, kOperationResult) ? static_cast<IOperationResultX*>(this)
                                                        : nullptr;
    }
    HRESULT __stdcall get_Status(int32_t* status) override {
        *status = status_;
        return S_OK;
    }
    HRESULT __stdcall get_AdditionalErrorMessage(HSTR* message) override {
        *message = Hand(message_);
        return S_OK;
    }

  private:
    int status_;
    std::wstring message_;
};

class Operation final : public IAsyncOperationResultX, public IAsyncInfoX {
  public:
    STANDIN_COMMON
    STANDIN_ASYNC_INFO
    void* Find(REFIID iid) {
        if (IsBase(iid) || Is(iid, kAsyncOperationResult))
            return static_cast<IAsyncOperationResultX*>(this);
        if (Is(iid, kAsyncInfo))
            return static_cast<IAsyncInfoX*>(this);
        return nullptr;
    }
    HRESULT __stdcall GetResults(IOperationResultX** result) override {
        *result = nullptr;
        const int32_t status = timing_.Status();
        if (status == 3)
            return timing_.Error();
        if (status != 1)
            return kIllegalMethodCall;
        const StandinBehaviour& b = timing_.behaviour();
        *result = new Result(b.operationStatus, b.message);
        return S_OK;
    }

  private:
    Timing timing_;
};

class HostName final : public IHostNameX {
  public:
    STANDIN_COMMON
    explicit HostName(std::wstring raw) : raw_(std::move(raw)) {}
    void* Find(REFIID iid) {
        return IsBase(iid) || Is(iid, kHostName) ? static_cast<IHostNameX*>(this) : nullptr;
    }
    HRESULT __stdcall get_IPInformation(IInsp**) override { return E_NOTIMPL; }
    HRESULT __stdcall get_RawName(HSTR* value) override {
        *value = Hand(raw_);
        return S_OK;
    }
    HRESULT __stdcall get_DisplayName(HSTR* value) override { return get_RawName(value); }
    HRESULT __stdcall get_CanonicalName(HSTR* value) override { return get_RawName(value); }
    HRESULT __stdcall get_Type(int32_t* value) override {
        *value = 1;
        return S_OK;
    }
    HRESULT __stdcall IsEqual(IHostNameX*, boolean8*) override { return E_NOTIMPL; }

  private:
    std::wstring raw_;
};

class Client final : public ITetheringClientX {
  public:
    STANDIN_COMMON
    explicit Client(const StandinClient& client) : client_(client) {}
    void* Find(REFIID iid) {
        return IsBase(iid) || Is(iid, kTetheringClient) ? static_cast<ITetheringClientX*>(this)
                                                        : nullptr;
    }
    HRESULT __stdcall get_MacAddress(HSTR* value) override {
        *value = Hand(client_.mac);
        return S_OK;
    }
    HRESULT __stdcall get_HostNames(IVectorViewX** value) override {
        std::vector<IInsp*> names;
        for (int i = 0; i < client_.hostCount && i < 2; ++i)
            names.push_back(new HostName(client_.hosts[i]));
        return Give<IVectorViewX>(new Vector(std::move(names)), value);
    }

  private:
    StandinClient client_;
};

class Manager final : public ITetheringManagerX, public ITetheringClientManagerX {
  public:
    STANDIN_COMMON
    Manager() : behaviour_(Behaviour()) {}
    void* Find(REFIID iid) {
        if (IsBase(iid) || Is(iid, kTetheringManager))
            return static_cast<ITetheringManagerX*>(this);
        if (Is(iid, kTetheringClientManager))
            return static_cast<ITetheringClientManagerX*>(this);
        return nullptr;
    }
    HRESULT __stdcall get_MaxClientCount(uint32_t* value) override {
        *value = behaviour_.maxClientCount;
        return S_OK;
    }
    HRESULT __stdcall get_ClientCount(uint32_t* value) override {
        *value = behaviour_.clientCount;
        return S_OK;
    }
    HRESULT __stdcall get_TetheringOperationalState(int32_t* value) override {
        *value = behaviour_.state;
        return S_OK;
    }
    HRESULT __stdcall GetCurrentAccessPointConfiguration(IAccessPointConfigurationX**) override {
        return E_NOTIMPL;
    }
    HRESULT __stdcall ConfigureAccessPointAsync(IAccessPointConfigurationX* configuration,
                                                IAsyncActionX** action) override {
        if (configuration == nullptr)
            return E_INVALIDARG;
        HSTR ssid = nullptr;
        HSTR passphrase = nullptr;
        configuration->get_Ssid(&ssid);
        configuration->get_Passphrase(&passphrase);
        const std::wstring ssidText = Text(ssid);
        const std::wstring passphraseText = Text(passphrase);
        Delete(ssid);
        Delete(passphrase);
        Change([&](StandinRecord& r) {
            wcsncpy(r.ssid, ssidText.c_str(), 63);
            r.ssid[63] = 0;
            wcsncpy(r.passphrase, passphraseText.c_str(), 63);
            r.passphrase[63] = 0;
            ++r.configures;
        });
        return Give<IAsyncActionX>(new Action, action);
    }
    HRESULT __stdcall StartTetheringAsync(IAsyncOperationResultX** operation) override {
        Change([](StandinRecord& r) { ++r.starts; });
        return Give<IAsyncOperationResultX>(new Operation, operation);
    }
    HRESULT __stdcall StopTetheringAsync(IAsyncOperationResultX** operation) override {
        Change([](StandinRecord& r) { ++r.stops; });
        return Give<IAsyncOperationResultX>(new Operation, operation);
    }
    HRESULT __stdcall GetTetheringClients(IVectorViewX** clients) override {
        std::vector<IInsp*> items;
        for (int i = 0; i < behaviour_.clients && i < 3; ++i)
            items.push_back(new Client(behaviour_.client[i]));
        return Give<IVectorViewX>(new Vector(std::move(items)), clients);
    }

  private:
    StandinBehaviour behaviour_;
};

class ManagerFactory final : public IActivationFactoryX,
                             public ITetheringStatics2X,
                             public ITetheringStatics3X,
                             public ITetheringStatics4X {
  public:
    STANDIN_COMMON
    void* Find(REFIID iid) {
        if (IsBase(iid) || Is(iid, kActivationFactory))
            return static_cast<IActivationFactoryX*>(this);
        if (Is(iid, kTetheringStatics2))
            return static_cast<ITetheringStatics2X*>(this);
        if (Is(iid, kTetheringStatics3))
            return static_cast<ITetheringStatics3X*>(this);
        if (Is(iid, kTetheringStatics4) && Behaviour().hasStatics4)
            return static_cast<ITetheringStatics4X*>(this);
        return nullptr;
    }
    HRESULT __stdcall ActivateInstance(IInsp**) override { return E_NOTIMPL; }
    HRESULT __stdcall GetTetheringCapabilityFromConnectionProfile(IConnectionProfileX* profile,
                                                                  int32_t* capability) override {
        if (profile == nullptr)
            return E_INVALIDARG;
        *capability = Behaviour().capability;
        return S_OK;
    }
    HRESULT __stdcall CreateFromConnectionProfile(IConnectionProfileX* profile,
                                                  ITetheringManagerX** manager) override {
        return CreateFromConnectionProfileWithTargetAdapter(profile, nullptr, manager);
    }
    HRESULT __stdcall CreateFromConnectionProfileWithTargetAdapter(
        IConnectionProfileX* profile, INetworkAdapterX*, ITetheringManagerX** manager) override {
        *manager = nullptr;
        if (profile == nullptr)
            return E_INVALIDARG;
        const HRESULT answer = Behaviour().createResult;
        if (FAILED(answer))
            return answer;
        INetworkAdapterX* adapter = nullptr;
        GUID id{};
        if (SUCCEEDED(profile->get_NetworkAdapter(&adapter)) && adapter != nullptr) {
            adapter->get_NetworkAdapterId(&id);
            adapter->Release();
        }
        Change([&](StandinRecord& r) { r.managerProfileAdapter = id; });
        return Give<ITetheringManagerX>(new Manager, manager);
    }
    HRESULT __stdcall IsNoConnectionsTimeoutEnabled(boolean8* enabled) override {
        *enabled = Behaviour().timeoutEnabled ? 1 : 0;
        return S_OK;
    }
    HRESULT __stdcall EnableNoConnectionsTimeout() override { return S_OK; }
    HRESULT __stdcall EnableNoConnectionsTimeoutAsync(IAsyncActionX**) override {
        return E_NOTIMPL;
    }
    HRESULT __stdcall DisableNoConnectionsTimeout() override {
        Change([](StandinRecord& r) { ++r.timeoutDisabled; });
        return S_OK;
    }
    HRESULT __stdcall DisableNoConnectionsTimeoutAsync(IAsyncActionX**) override {
        return E_NOTIMPL;
    }
};

}  // namespace

HRESULT MakeFactory(const std::wstring& className, IActivationFactoryX** factory) {
    *factory = nullptr;
    if (className == L"Windows.Networking.Connectivity.NetworkInformation")
        *factory = new NetworkInformation;
    else if (className == L"Windows.Networking.NetworkOperators.NetworkOperatorTetheringManager")
        *factory = new ManagerFactory;
    else if (className ==
             L"Windows.Networking.NetworkOperators."
             L"NetworkOperatorTetheringAccessPointConfiguration")
        *factory = new ConfigurationFactory;
    return *factory != nullptr ? S_OK : REGDB_E_CLASSNOTREG;
}

}  // namespace standin
