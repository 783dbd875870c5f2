#include "platform/windows/tethering_win.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <utility>

#include "platform/windows/winrt_abi.h"
#include "platform/windows/winrt_async.h"
#include "platform/windows/winrt_runtime.h"

namespace hs::win {
namespace {

using namespace winrt;

TetheringAnswer Answer(TetheringFailure failure, HRESULT code) {
    TetheringAnswer answer;
    answer.failure = failure;
    answer.code = static_cast<uint32_t>(code);
    return answer;
}

TetheringAnswer CallFailed(HRESULT code) {
    return Answer(TetheringFailure::Failed, FAILED(code) ? code : E_POINTER);
}

// A class the system does not have means no Mobile Hotspot; any other refusal of an
// activation is a failure of the call.
TetheringAnswer ActivationFailed(HRESULT code) {
    return code == kClassNotRegistered ? Answer(TetheringFailure::Unavailable, code)
                                       : CallFailed(code);
}

// What every call starts from: combase.dll and the worker in the multithreaded
// apartment. Declared before the references of a call, so that they are all released
// before the apartment ends.
class Session {
  public:
    Session() : combase(LoadCombase()) {
        if (FAILED(combase.loaded)) {
            refusal_ = Answer(TetheringFailure::Unavailable, combase.loaded);
            return;
        }
        apartment_.emplace(combase);
        if (FAILED(apartment_->result()))
            refusal_ = CallFailed(apartment_->result());
    }
    bool Ready() const { return refusal_.failure == TetheringFailure::None; }
    const TetheringAnswer& Refusal() const { return refusal_; }

    const Combase& combase;

  private:
    std::optional<Apartment> apartment_;
    TetheringAnswer refusal_;
};

HRESULT GetFactory(const Combase& combase, const wchar_t* className, const GUID& iid, void** out) {
    HStr name(combase);
    const HRESULT created = name.Assign(className, std::wcslen(className));
    if (FAILED(created))
        return created;
    return combase.roGetActivationFactory(name.get(), iid, out);
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", as the adapter list names adapters.
std::string GuidText(const GUID& guid) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    return text;
}

bool SameGuidText(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
        const char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 32) : b[i];
        if (x != y)
            return false;
    }
    return true;
}

// Whether the profile's adapter is the one named by `upstream`. A profile without an
// adapter (a dial-up connection may have none) is not it.
bool ProfileOfAdapter(ConnectionProfile* profile, const std::string& upstream) {
    Ref<NetworkAdapter> adapter;
    if (FAILED(profile->vtbl->get_NetworkAdapter(profile, adapter.Put())) || !adapter)
        return false;
    GUID id{};
    if (FAILED(adapter->vtbl->get_NetworkAdapterId(adapter.get(), &id)))
        return false;
    return SameGuidText(GuidText(id), upstream);
}

// The profile to share: the one of `upstream`'s adapter, else the Internet
// connection's, else (when `anyAsLast`) the first the system lists. A list the system
// cannot give counts as no match.
TetheringAnswer ChooseProfile(const Combase& combase, const std::string& upstream, bool anyAsLast,
                              Ref<ConnectionProfile>& out) {
    Ref<NetworkInformationStatics> information;
    HRESULT hr = GetFactory(combase, kNetworkInformationClass, kIidNetworkInformationStatics,
                            information.PutVoid());
    if (FAILED(hr) || !information)
        return ActivationFailed(hr);
    Ref<VectorView> profiles;
    uint32_t count = 0;
    if (!upstream.empty() || anyAsLast) {
        if (FAILED(information->vtbl->GetConnectionProfiles(information.get(), profiles.Put())) ||
            !profiles || FAILED(profiles->vtbl->get_Size(profiles.get(), &count))) {
            profiles.Reset();
            count = 0;
        }
    }
    if (!upstream.empty()) {
        for (uint32_t i = 0; i < count; ++i) {
            Ref<ConnectionProfile> profile;
            if (SUCCEEDED(profiles->vtbl->GetAt(profiles.get(), i, profile.PutVoid())) && profile &&
                ProfileOfAdapter(profile.get(), upstream)) {
                out = std::move(profile);
                return {};
            }
        }
    }
    hr = information->vtbl->GetInternetConnectionProfile(information.get(), out.Put());
    if (FAILED(hr))
        return CallFailed(hr);
    if (out)
        return {};
    if (anyAsLast && count > 0 &&
        SUCCEEDED(profiles->vtbl->GetAt(profiles.get(), 0, out.PutVoid())) && out) {
        return {};
    }
    out.Reset();
    return Answer(TetheringFailure::NoProfile, S_OK);
}

// The tethering statics, the profile and the manager created from it.
struct Manager {
    Ref<TetheringStatics2> statics;
    Ref<ConnectionProfile> profile;
    Ref<TetheringManager> manager;
};

TetheringAnswer OpenManager(const Combase& combase, const std::string& upstream, bool anyAsLast,
                            Manager& out) {
    HRESULT hr =
        GetFactory(combase, kTetheringManagerClass, kIidTetheringStatics2, out.statics.PutVoid());
    if (FAILED(hr) || !out.statics)
        return ActivationFailed(hr);
    TetheringAnswer chosen = ChooseProfile(combase, upstream, anyAsLast, out.profile);
    if (chosen.failure != TetheringFailure::None)
        return chosen;
    hr = out.statics->vtbl->CreateFromConnectionProfile(out.statics.get(), out.profile.get(),
                                                        out.manager.Put());
    if (FAILED(hr) || !out.manager)
        return CallFailed(hr);
    return {};
}

Inspectable* AsInspectable(void* object) {
    return static_cast<Inspectable*>(object);
}

// Awaits a start or stop and reads its result.
TetheringAnswer FinishOperation(const Combase& combase, AsyncOperation* operation,
                                const StopSignal* stop, int64_t boundMs) {
    Ref<OperationResult> result;
    const AsyncEnd end = AwaitAsync(
        AsInspectable(operation), stop,
        [&] { return operation->vtbl->GetResults(operation, result.Put()); }, boundMs);
    if (end.failure != TetheringFailure::None)
        return Answer(end.failure, static_cast<HRESULT>(end.code));
    if (!result)
        return CallFailed(E_POINTER);
    TetheringAnswer answer;
    int32_t status = 0;
    const HRESULT hr = result->vtbl->get_Status(result.get(), &status);
    if (FAILED(hr))
        return CallFailed(hr);
    answer.status = status;
    HStr message(combase);
    if (SUCCEEDED(result->vtbl->get_AdditionalErrorMessage(result.get(), message.Put())))
        answer.message = message.Utf8();
    return answer;
}

}  // namespace

TetheringAnswer WindowsTethering::Query(const std::string& upstream, TetheringInfo& out) {
    Session session;
    if (!session.Ready())
        return session.Refusal();
    Manager opened;
    TetheringAnswer answer = OpenManager(session.combase, upstream, false, opened);
    if (answer.failure != TetheringFailure::None)
        return answer;
    TetheringInfo info;
    int32_t capability = 0;
    int32_t state = 0;
    HRESULT hr = opened.statics->vtbl->GetTetheringCapabilityFromConnectionProfile(
        opened.statics.get(), opened.profile.get(), &capability);
    TetheringManager* manager = opened.manager.get();
    if (SUCCEEDED(hr))
        hr = manager->vtbl->get_MaxClientCount(manager, &info.maxClientCount);
    if (SUCCEEDED(hr))
        hr = manager->vtbl->get_ClientCount(manager, &info.clientCount);
    if (SUCCEEDED(hr))
        hr = manager->vtbl->get_TetheringOperationalState(manager, &state);
    if (FAILED(hr))
        return CallFailed(hr);
    info.capability = capability;
    info.state = state;
    Ref<TetheringStatics4> statics4;
    if (SUCCEEDED(opened.statics.As(kIidTetheringStatics4, statics4)) && statics4) {
        Boolean enabled = 0;
        if (SUCCEEDED(statics4->vtbl->IsNoConnectionsTimeoutEnabled(statics4.get(), &enabled))) {
            info.timeoutKnown = true;
            info.timeoutEnabled = enabled != 0;
        }
    }
    out = info;
    return answer;
}

TetheringAnswer WindowsTethering::Configure(const std::string& upstream, const std::string& ssid,
                                            const std::string& key, const StopSignal* stop) {
    Session session;
    if (!session.Ready())
        return session.Refusal();
    const Combase& combase = session.combase;
    Manager opened;
    TetheringAnswer answer = OpenManager(combase, upstream, true, opened);
    if (answer.failure != TetheringFailure::None)
        return answer;

    Ref<Inspectable> instance;
    {
        HStr className(combase);
        HRESULT hr = className.Assign(kAccessPointConfigurationClass,
                                      std::wcslen(kAccessPointConfigurationClass));
        if (SUCCEEDED(hr))
            hr = combase.roActivateInstance(className.get(), instance.Put());
        if (FAILED(hr) || !instance)
            return ActivationFailed(hr);
    }
    Ref<AccessPointConfiguration> configuration;
    HRESULT hr = instance.As(kIidAccessPointConfiguration, configuration);
    if (FAILED(hr) || !configuration)
        return CallFailed(hr);
    HStr name(combase);
    HStr passphrase(combase);
    hr = name.Assign(ssid);
    if (SUCCEEDED(hr))
        hr = passphrase.Assign(key);
    if (SUCCEEDED(hr))
        hr = configuration->vtbl->put_Ssid(configuration.get(), name.get());
    if (SUCCEEDED(hr))
        hr = configuration->vtbl->put_Passphrase(configuration.get(), passphrase.get());
    Ref<AsyncAction> action;
    if (SUCCEEDED(hr)) {
        hr = opened.manager->vtbl->ConfigureAccessPointAsync(opened.manager.get(),
                                                             configuration.get(), action.Put());
    }
    if (FAILED(hr) || !action)
        return CallFailed(hr);
    AsyncAction* pending = action.get();
    const AsyncEnd end = AwaitAsync(
        AsInspectable(pending), stop, [pending] { return pending->vtbl->GetResults(pending); },
        asyncBoundMs_);
    return Answer(end.failure, static_cast<HRESULT>(end.code));
}

namespace {

// Starts the manager's start or stop operation and waits for its result. A stop needs
// only some profile: the manager of any profile ends the one hotspot.
TetheringAnswer Operate(const std::string& upstream, bool anyProfile,
                        HRESULT (__stdcall* TetheringManagerTable::*slot)(void*, AsyncOperation**),
                        const StopSignal* stop, int64_t boundMs) {
    Session session;
    if (!session.Ready())
        return session.Refusal();
    Manager opened;
    TetheringAnswer answer = OpenManager(session.combase, upstream, anyProfile, opened);
    if (answer.failure != TetheringFailure::None)
        return answer;
    Ref<AsyncOperation> operation;
    const HRESULT hr = (opened.manager->vtbl->*slot)(opened.manager.get(), operation.Put());
    if (FAILED(hr) || !operation)
        return CallFailed(hr);
    return FinishOperation(session.combase, operation.get(), stop, boundMs);
}

}  // namespace

TetheringAnswer WindowsTethering::Start(const std::string& upstream, const StopSignal* stop) {
    return Operate(upstream, false, &TetheringManagerTable::StartTetheringAsync, stop,
                   asyncBoundMs_);
}

TetheringAnswer WindowsTethering::Stop(const StopSignal* stop) {
    return Operate(std::string(), true, &TetheringManagerTable::StopTetheringAsync, stop,
                   asyncBoundMs_);
}

TetheringAnswer WindowsTethering::Clients(std::vector<hs::TetheringClient>& out) {
    Session session;
    if (!session.Ready())
        return session.Refusal();
    const Combase& combase = session.combase;
    Manager opened;
    TetheringAnswer answer = OpenManager(combase, std::string(), true, opened);
    if (answer.failure != TetheringFailure::None)
        return answer;
    Ref<TetheringClientManager> clientManager;
    HRESULT hr = opened.manager.As(kIidTetheringClientManager, clientManager);
    if (FAILED(hr) || !clientManager)
        return CallFailed(hr);
    Ref<VectorView> clients;
    hr = clientManager->vtbl->GetTetheringClients(clientManager.get(), clients.Put());
    if (FAILED(hr))
        return CallFailed(hr);
    std::vector<hs::TetheringClient> list;
    uint32_t count = 0;
    if (clients && FAILED(hr = clients->vtbl->get_Size(clients.get(), &count)))
        return CallFailed(hr);
    for (uint32_t i = 0; i < count; ++i) {
        Ref<TetheringClient> client;
        hr = clients->vtbl->GetAt(clients.get(), i, client.PutVoid());
        if (FAILED(hr) || !client)
            return CallFailed(hr);
        hs::TetheringClient entry;
        HStr mac(combase);
        hr = client->vtbl->get_MacAddress(client.get(), mac.Put());
        if (FAILED(hr))
            return CallFailed(hr);
        entry.macAddress = mac.Utf8();
        Ref<VectorView> names;
        hr = client->vtbl->get_HostNames(client.get(), names.Put());
        uint32_t nameCount = 0;
        if (SUCCEEDED(hr) && names)
            hr = names->vtbl->get_Size(names.get(), &nameCount);
        if (FAILED(hr))
            return CallFailed(hr);
        for (uint32_t j = 0; j < nameCount; ++j) {
            Ref<HostName> host;
            hr = names->vtbl->GetAt(names.get(), j, host.PutVoid());
            if (FAILED(hr) || !host)
                return CallFailed(hr);
            HStr raw(combase);
            hr = host->vtbl->get_RawName(host.get(), raw.Put());
            if (FAILED(hr))
                return CallFailed(hr);
            entry.hostNames.push_back(raw.Utf8());
        }
        list.push_back(std::move(entry));
    }
    out = std::move(list);
    return answer;
}

TetheringAnswer WindowsTethering::KeepOnWithoutClients() {
    Session session;
    if (!session.Ready())
        return session.Refusal();
    Ref<TetheringStatics4> statics4;
    HRESULT hr = GetFactory(session.combase, kTetheringManagerClass, kIidTetheringStatics4,
                            statics4.PutVoid());
    if (FAILED(hr) || !statics4)
        return ActivationFailed(FAILED(hr) ? hr : E_NOINTERFACE);
    hr = statics4->vtbl->DisableNoConnectionsTimeout(statics4.get());
    if (FAILED(hr))
        return CallFailed(hr);
    return {};
}

}  // namespace hs::win
