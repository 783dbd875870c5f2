#include "platform/windows/sharing_win.h"

#include <windows.h>

#include <netcon.h>
#include <oleauto.h>

#include <functional>

#include "platform/windows/wide.h"

namespace hs::win {
namespace {

// Holds one COM interface pointer and releases it.
template <class T>
class Ref {
  public:
    Ref() = default;
    ~Ref() { Reset(); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;

    T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    T** Out() {
        Reset();
        return &ptr_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    void Reset() {
        if (ptr_ != nullptr)
            ptr_->Release();
        ptr_ = nullptr;
    }

  private:
    T* ptr_ = nullptr;
};

// COM for the duration of one call. CoInitializeEx answers S_OK or S_FALSE when
// this call took a share of COM on the thread (balanced by CoUninitialize), and
// RPC_E_CHANGED_MODE when the thread already runs COM in the other threading
// model, which serves as well and must not be uninitialised here.
class ComScope {
  public:
    ComScope() {
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        owned_ = SUCCEEDED(hr);
        usable_ = owned_ || hr == RPC_E_CHANGED_MODE;
    }
    ~ComScope() {
        if (owned_)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool usable() const { return usable_; }

  private:
    bool owned_ = false;
    bool usable_ = false;
};

SharingError FromResult(HRESULT hr, SharingError otherwise) {
    if (hr == E_ACCESSDENIED || hr == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED))
        return SharingError::AccessDenied;
    return otherwise;
}

std::string TakeBstr(BSTR text) {
    std::string utf8;
    if (text != nullptr) {
        utf8 = Narrow(std::wstring_view(text, SysStringLen(text)));
        SysFreeString(text);
    }
    return utf8;
}

// Called for each connection with the manager; returns false to end the walk.
using Visit = std::function<bool(INetSharingManager& manager, INetConnection& connection)>;

// Creates the sharing manager and hands every connection it yields to `visit`.
SharingError ForEachConnection(const Visit& visit) {
    ComScope com;
    if (!com.usable())
        return SharingError::ServiceUnavailable;

    Ref<INetSharingManager> manager;
    if (FAILED(CoCreateInstance(CLSID_NetSharingManager, nullptr, CLSCTX_ALL,
                                IID_INetSharingManager, manager.OutVoid())) ||
        manager.get() == nullptr) {
        return SharingError::ServiceUnavailable;
    }
    Ref<INetSharingEveryConnectionCollection> collection;
    HRESULT hr = manager->get_EnumEveryConnection(collection.Out());
    if (FAILED(hr) || collection.get() == nullptr)
        return FromResult(hr, SharingError::ServiceUnavailable);
    Ref<IUnknown> enumObject;
    hr = collection->get__NewEnum(enumObject.Out());
    if (FAILED(hr) || enumObject.get() == nullptr)
        return FromResult(hr, SharingError::ServiceUnavailable);
    Ref<IEnumVARIANT> enumerator;
    hr = enumObject->QueryInterface(IID_IEnumVARIANT, enumerator.OutVoid());
    if (FAILED(hr) || enumerator.get() == nullptr)
        return FromResult(hr, SharingError::ServiceUnavailable);
    enumerator->Reset();

    for (;;) {
        VARIANT item;
        VariantInit(&item);
        ULONG fetched = 0;
        if (enumerator->Next(1, &item, &fetched) != S_OK || fetched != 1) {
            VariantClear(&item);
            break;
        }
        IUnknown* unknown = nullptr;
        if (item.vt == VT_UNKNOWN)
            unknown = item.punkVal;
        else if (item.vt == VT_DISPATCH)
            unknown = item.pdispVal;
        Ref<INetConnection> connection;
        bool goOn = true;
        if (unknown != nullptr &&
            SUCCEEDED(unknown->QueryInterface(IID_INetConnection, connection.OutVoid())) &&
            connection.get() != nullptr) {
            goOn = visit(*manager.get(), *connection.get());
        }
        VariantClear(&item);
        if (!goOn)
            break;
    }
    return SharingError::None;
}

// The connection's name and status; false when its properties cannot be read.
bool ReadProps(INetSharingManager& manager, INetConnection& connection, std::string& name,
               int& status) {
    Ref<INetConnectionProps> props;
    if (FAILED(manager.get_NetConnectionProps(&connection, props.Out())) ||
        props.get() == nullptr) {
        return false;
    }
    BSTR text = nullptr;
    if (FAILED(props->get_Name(&text))) {
        SysFreeString(text);
        return false;
    }
    name = TakeBstr(text);
    NETCON_STATUS value = NCS_DISCONNECTED;
    status = SUCCEEDED(props->get_Status(&value)) ? static_cast<int>(value) : 0;
    return true;
}

// Finds the named connection and applies `change` to its sharing configuration.
SharingError ChangeNamed(const std::string& name,
                         const std::function<HRESULT(INetSharingConfiguration&)>& change,
                         uint32_t* code = nullptr) {
    bool found = false;
    SharingError outcome = SharingError::None;
    const SharingError walk =
        ForEachConnection([&](INetSharingManager& manager, INetConnection& connection) {
            std::string current;
            int status = 0;
            if (!ReadProps(manager, connection, current, status) || current != name)
                return true;
            found = true;
            Ref<INetSharingConfiguration> config;
            HRESULT hr =
                manager.get_INetSharingConfigurationForINetConnection(&connection, config.Out());
            if (SUCCEEDED(hr) && config.get() != nullptr)
                hr = change(*config.get());
            else if (SUCCEEDED(hr))
                hr = E_FAIL;
            outcome = FAILED(hr) ? FromResult(hr, SharingError::Failed) : SharingError::None;
            if (FAILED(hr) && code != nullptr)
                *code = static_cast<uint32_t>(hr);
            return false;  // names are unique
        });
    if (walk != SharingError::None)
        return walk;
    return found ? outcome : SharingError::NotFound;
}

}  // namespace

SharingError WindowsSharing::Connections(std::vector<SharingConnection>& out) {
    std::vector<SharingConnection> found;
    const SharingError walk =
        ForEachConnection([&](INetSharingManager& manager, INetConnection& connection) {
            SharingConnection row;
            if (!ReadProps(manager, connection, row.name, row.status))
                return true;
            Ref<INetSharingConfiguration> config;
            if (SUCCEEDED(manager.get_INetSharingConfigurationForINetConnection(&connection,
                                                                                config.Out())) &&
                config.get() != nullptr) {
                VARIANT_BOOL enabled = VARIANT_FALSE;
                if (SUCCEEDED(config->get_SharingEnabled(&enabled)) && enabled != VARIANT_FALSE) {
                    row.sharingEnabled = true;
                    SHARINGCONNECTIONTYPE type = ICSSHARINGTYPE_PUBLIC;
                    if (SUCCEEDED(config->get_SharingConnectionType(&type)) &&
                        type == ICSSHARINGTYPE_PRIVATE) {
                        row.sharingType = SharingType::Private;
                    }
                }
            }
            found.push_back(std::move(row));
            return true;
        });
    if (walk != SharingError::None)
        return walk;
    out = std::move(found);
    return SharingError::None;
}

SharingError WindowsSharing::EnableSharing(const std::string& name, SharingType type,
                                           uint32_t* code) {
    const SHARINGCONNECTIONTYPE systemType =
        type == SharingType::Private ? ICSSHARINGTYPE_PRIVATE : ICSSHARINGTYPE_PUBLIC;
    return ChangeNamed(
        name,
        [systemType](INetSharingConfiguration& config) { return config.EnableSharing(systemType); },
        code);
}

SharingError WindowsSharing::DisableSharing(const std::string& name) {
    // Asked only where the system says the connection is shared: on Windows 10 1607 and
    // later, DisableSharing on a connection that is not shared has crashed with an
    // access violation. One that is not shared has nothing to switch off.
    return ChangeNamed(name, [](INetSharingConfiguration& config) {
        VARIANT_BOOL enabled = VARIANT_FALSE;
        const HRESULT hr = config.get_SharingEnabled(&enabled);
        if (FAILED(hr))
            return hr;
        return enabled != VARIANT_FALSE ? config.DisableSharing() : S_OK;
    });
}

}  // namespace hs::win
