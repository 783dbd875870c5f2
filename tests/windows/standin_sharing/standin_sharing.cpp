// A stand-in for the system's sharing manager object ("HNetCfg.HNetShare"), for tests
// under Wine, which has none. It is an in-process COM server written from the published
// interfaces of netcon.h: the manager (INetSharingManager), the collection of every
// connection and its IEnumVARIANT, the connections (INetConnection), their properties
// (INetConnectionProps) and their sharing configuration (INetSharingConfiguration).
// What it offers and how it fails is set through the control functions of
// standin_control.h; every switch-on and switch-off it is asked for is recorded.
// Methods no caller of this stand-in needs answer E_NOTIMPL.
#include <windows.h>

#include <netcon.h>
#include <oleauto.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <mutex>
#include <new>
#include <string>
#include <type_traits>
#include <vector>

#include "tests/windows/standin_sharing/standin_control.h"

namespace {

// The class the system registers for "HNetCfg.HNetShare".
constexpr CLSID kSharingManagerClass = {
    0x5C63C1AD, 0x3956, 0x4FF8, {0x84, 0x86, 0x40, 0x03, 0x47, 0x58, 0x31, 0x5B}};

// Answered only by this stand-in's own connection objects, so the manager can tell
// which connection it is asked about.
constexpr IID kStandinConnectionIid = {
    0x6B1E2F44, 0x0C3A, 0x4E5D, {0x9A, 0x71, 0x2B, 0x8C, 0x4D, 0x0E, 0x5F, 0x63}};

struct Connection {
    std::wstring name;
    std::wstring guid;
    StandinConnection settings{};
};

std::mutex gLock;
std::vector<Connection> gConnections;  // guarded by gLock
std::vector<StandinCall> gCalls;       // guarded by gLock
std::atomic<int32_t> gLiveObjects{0};
std::atomic<int32_t> gLocks{0};

// Copies of a connection's settings, read under the lock; false for a stale index.
bool Settings(size_t index, StandinConnection& out, std::wstring* name = nullptr,
              std::wstring* guid = nullptr) {
    std::lock_guard<std::mutex> hold(gLock);
    if (index >= gConnections.size())
        return false;
    out = gConnections[index].settings;
    if (name != nullptr)
        *name = gConnections[index].name;
    if (guid != nullptr)
        *guid = gConnections[index].guid;
    return true;
}

HRESULT NewBstr(const std::wstring& text, BSTR* out) {
    if (out == nullptr)
        return E_POINTER;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Reference counting, QueryInterface over the given interface, and the count of live
// objects. The IDispatch part of the dual interfaces has no type information.
template <class Interface, const IID* kIid>
class Object : public Interface {
  public:
    Object() { ++gLiveObjects; }
    virtual ~Object() { --gLiveObjects; }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, *kIid) ||
            (IsDual() && IsEqualIID(iid, IID_IDispatch))) {
            *out = static_cast<Interface*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

  protected:
    static constexpr bool IsDual() { return std::is_base_of_v<IDispatch, Interface>; }

  private:
    std::atomic<ULONG> references_{1};
};

template <class Interface, const IID* kIid>
class Dispatch : public Object<Interface, kIid> {
  public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
};

class NetConnection : public Object<INetConnection, &IID_INetConnection> {
  public:
    explicit NetConnection(size_t index) : index_(index) {}
    size_t index() const { return index_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out != nullptr && IsEqualIID(iid, kStandinConnectionIid)) {
            *out = this;  // not counted: used only while the caller holds the connection
            return S_OK;
        }
        return Object<INetConnection, &IID_INetConnection>::QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE Connect() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Disconnect() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Delete() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Duplicate(LPCWSTR, INetConnection**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetProperties(NETCON_PROPERTIES**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUiObjectClassId(CLSID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Rename(LPCWSTR) override { return E_NOTIMPL; }

  private:
    size_t index_;
};

class ConnectionProps : public Dispatch<INetConnectionProps, &IID_INetConnectionProps> {
  public:
    explicit ConnectionProps(size_t index) : index_(index) {}

    HRESULT STDMETHODCALLTYPE get_Guid(BSTR* out) override {
        StandinConnection settings;
        std::wstring guid;
        if (!Settings(index_, settings, nullptr, &guid))
            return E_UNEXPECTED;
        return NewBstr(guid, out);
    }
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* out) override {
        StandinConnection settings;
        std::wstring name;
        if (!Settings(index_, settings, &name))
            return E_UNEXPECTED;
        return NewBstr(name, out);
    }
    HRESULT STDMETHODCALLTYPE get_DeviceName(BSTR* out) override { return NewBstr(L"", out); }
    HRESULT STDMETHODCALLTYPE get_Status(NETCON_STATUS* out) override {
        StandinConnection settings;
        if (out == nullptr)
            return E_POINTER;
        if (!Settings(index_, settings))
            return E_UNEXPECTED;
        *out = static_cast<NETCON_STATUS>(settings.status);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_MediaType(NETCON_MEDIATYPE* out) override {
        StandinConnection settings;
        if (out == nullptr)
            return E_POINTER;
        if (!Settings(index_, settings))
            return E_UNEXPECTED;
        *out = static_cast<NETCON_MEDIATYPE>(settings.mediaType);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Characteristics(DWORD* out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = 0;
        return S_OK;
    }

  private:
    size_t index_;
};

class SharingConfiguration
    : public Dispatch<INetSharingConfiguration, &IID_INetSharingConfiguration> {
  public:
    explicit SharingConfiguration(size_t index) : index_(index) {}

    HRESULT STDMETHODCALLTYPE get_SharingEnabled(VARIANT_BOOL* out) override {
        StandinConnection settings;
        if (out == nullptr)
            return E_POINTER;
        if (!Settings(index_, settings))
            return E_UNEXPECTED;
        *out = settings.shared != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_SharingConnectionType(SHARINGCONNECTIONTYPE* out) override {
        StandinConnection settings;
        if (out == nullptr)
            return E_POINTER;
        if (!Settings(index_, settings))
            return E_UNEXPECTED;
        *out = static_cast<SHARINGCONNECTIONTYPE>(settings.sharingType);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DisableSharing() override {
        std::lock_guard<std::mutex> hold(gLock);
        if (index_ >= gConnections.size())
            return E_UNEXPECTED;
        Connection& connection = gConnections[index_];
        Record(connection, kStandinDisable, 0);
        connection.settings.shared = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnableSharing(SHARINGCONNECTIONTYPE type) override {
        std::lock_guard<std::mutex> hold(gLock);
        if (index_ >= gConnections.size())
            return E_UNEXPECTED;
        Connection& connection = gConnections[index_];
        Record(connection, kStandinEnable, static_cast<int32_t>(type));
        const HRESULT answer = static_cast<HRESULT>(connection.settings.enableResult);
        if (SUCCEEDED(answer)) {
            connection.settings.shared = 1;
            connection.settings.sharingType = static_cast<int32_t>(type);
        }
        return answer;
    }
    HRESULT STDMETHODCALLTYPE get_InternetFirewallEnabled(VARIANT_BOOL*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DisableInternetFirewall() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnableInternetFirewall() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_EnumPortMappings(SHARINGCONNECTION_ENUM_FLAGS,
                                                   INetSharingPortMappingCollection**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE AddPortMapping(BSTR, UCHAR, USHORT, USHORT, DWORD, BSTR,
                                             ICS_TARGETTYPE, INetSharingPortMapping**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE RemovePortMapping(INetSharingPortMapping*) override {
        return E_NOTIMPL;
    }

  private:
    // Called with gLock held.
    static void Record(const Connection& connection, int32_t action, int32_t type) {
        StandinCall call{};
        wcsncpy(call.connection, connection.name.c_str(), 63);
        call.action = action;
        call.type = type;
        call.wasShared = connection.settings.shared;
        gCalls.push_back(call);
    }

    size_t index_;
};

// Yields a new connection object per connection, in the order the test set them.
class ConnectionEnum : public Object<IEnumVARIANT, &IID_IEnumVARIANT> {
  public:
    ConnectionEnum(size_t count, size_t position) : count_(count), position_(position) {}

    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* items, ULONG* fetched) override {
        if (items == nullptr || (wanted > 1 && fetched == nullptr))
            return E_POINTER;
        ULONG given = 0;
        while (given < wanted && position_ < count_) {
            VariantInit(&items[given]);
            NetConnection* connection = new (std::nothrow) NetConnection(position_);
            if (connection == nullptr)
                break;
            items[given].vt = VT_UNKNOWN;
            items[given].punkVal = connection;
            ++given;
            ++position_;
        }
        if (fetched != nullptr)
            *fetched = given;
        return given == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        position_ = std::min<size_t>(count_, position_ + count);
        return position_ < count_ ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = new (std::nothrow) ConnectionEnum(count_, position_);
        return *out != nullptr ? S_OK : E_OUTOFMEMORY;
    }

  private:
    size_t count_;
    size_t position_;
};

class EveryConnection : public Dispatch<INetSharingEveryConnectionCollection,
                                        &IID_INetSharingEveryConnectionCollection> {
  public:
    explicit EveryConnection(size_t count) : count_(count) {}

    HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = new (std::nothrow) ConnectionEnum(count_, 0);
        return *out != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_Count(__LONG32* out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = static_cast<__LONG32>(count_);
        return S_OK;
    }

  private:
    size_t count_;
};

class SharingManager : public Dispatch<INetSharingManager, &IID_INetSharingManager> {
  public:
    HRESULT STDMETHODCALLTYPE get_SharingInstalled(VARIANT_BOOL* out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = VARIANT_TRUE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_EnumPublicConnections(
        SHARINGCONNECTION_ENUM_FLAGS, INetSharingPublicConnectionCollection**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_EnumPrivateConnections(
        SHARINGCONNECTION_ENUM_FLAGS, INetSharingPrivateConnectionCollection**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_INetSharingConfigurationForINetConnection(
        INetConnection* connection, INetSharingConfiguration** out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        size_t index = 0;
        StandinConnection settings;
        if (!Find(connection, index, settings))
            return E_INVALIDARG;
        if (settings.vanish != kStandinPresent)
            return static_cast<HRESULT>(settings.vanishResult);
        *out = new (std::nothrow) SharingConfiguration(index);
        return *out != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE
    get_EnumEveryConnection(INetSharingEveryConnectionCollection** out) override {
        if (out == nullptr)
            return E_POINTER;
        size_t count = 0;
        {
            std::lock_guard<std::mutex> hold(gLock);
            count = gConnections.size();
        }
        *out = new (std::nothrow) EveryConnection(count);
        return *out != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_NetConnectionProps(INetConnection* connection,
                                                     INetConnectionProps** out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        size_t index = 0;
        StandinConnection settings;
        if (!Find(connection, index, settings))
            return E_INVALIDARG;
        if (settings.vanish == kStandinPropsGone)
            return static_cast<HRESULT>(settings.vanishResult);
        *out = new (std::nothrow) ConnectionProps(index);
        return *out != nullptr ? S_OK : E_OUTOFMEMORY;
    }

  private:
    static bool Find(INetConnection* connection, size_t& index, StandinConnection& settings) {
        void* own = nullptr;
        if (connection == nullptr ||
            FAILED(connection->QueryInterface(kStandinConnectionIid, &own)) || own == nullptr) {
            return false;
        }
        index = static_cast<NetConnection*>(own)->index();
        return Settings(index, settings);
    }
};

class Factory : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory))
            return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    // One static factory for the life of the module.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        SharingManager* manager = new (std::nothrow) SharingManager;
        if (manager == nullptr)
            return E_OUTOFMEMORY;
        const HRESULT hr = manager->QueryInterface(iid, out);
        manager->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            ++gLocks;
        else
            --gLocks;
        return S_OK;
    }
};

Factory gFactory;

}  // namespace

extern "C" {

__declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    if (!IsEqualCLSID(clsid, kSharingManagerClass))
        return CLASS_E_CLASSNOTAVAILABLE;
    return gFactory.QueryInterface(iid, out);
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return gLiveObjects == 0 && gLocks == 0 ? S_OK : S_FALSE;
}

__declspec(dllexport) void StandinSet(const StandinConnection* connections, int32_t count) {
    std::lock_guard<std::mutex> hold(gLock);
    gConnections.clear();
    gCalls.clear();
    for (int32_t i = 0; i < count; ++i) {
        Connection connection;
        connection.name = connections[i].name != nullptr ? connections[i].name : L"";
        connection.guid = connections[i].guid != nullptr ? connections[i].guid : L"";
        connection.settings = connections[i];
        connection.settings.name = nullptr;  // the copies above are the ones kept
        connection.settings.guid = nullptr;
        gConnections.push_back(std::move(connection));
    }
}

__declspec(dllexport) int32_t StandinCalls(StandinCall* out, int32_t capacity) {
    std::lock_guard<std::mutex> hold(gLock);
    for (int32_t i = 0; i < capacity && static_cast<size_t>(i) < gCalls.size(); ++i)
        out[i] = gCalls[i];
    return static_cast<int32_t>(gCalls.size());
}

__declspec(dllexport) int32_t StandinSharing(int32_t index, int32_t* type) {
    std::lock_guard<std::mutex> hold(gLock);
    if (index < 0 || static_cast<size_t>(index) >= gConnections.size())
        return -1;
    if (type != nullptr)
        *type = gConnections[index].settings.sharingType;
    return gConnections[index].settings.shared;
}

__declspec(dllexport) int32_t StandinLiveObjects() {
    return gLiveObjects;
}

}  // extern "C"
