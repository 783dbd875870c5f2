// The Windows 10 and 11 Mobile Hotspot through the system's tethering manager
// (Windows.Networking.NetworkOperators), called through the raw Windows Runtime
// interfaces of winrt_abi.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/host.h"

namespace hs::win {

// Each call runs on the calling worker in the multithreaded apartment
// (RoInitialize, balanced by RoUninitialize before it returns; a worker already in
// a single-threaded apartment gets Failed with RPC_E_CHANGED_MODE), holds only what it
// takes for itself and releases every reference and string before it returns, so
// calls from several workers at once share nothing but combase.dll.
//
// Answers: no combase.dll or a function missing from it (Windows XP, 7), or a class
// that is not registered (REGDB_E_CLASSNOTREG), is Unavailable with that code; any
// other failed call is Failed with its HRESULT (E_ACCESSDENIED, ...). The profile
// shared is the one whose adapter's GUID is `upstream`, else the Internet
// connection's; Query and Start answer NoProfile when there is neither. Configure,
// Stop and Clients act on the hotspot whichever profile the manager is created from,
// so without an Internet profile they take the first profile the system lists and
// answer NoProfile only when it lists none. An operation is awaited by polling its
// status every 50 ms on the calling worker: a stop asked meanwhile cancels it
// (Stopped), and one that takes longer than the bound is cancelled too (TimedOut).
class WindowsTethering : public Tethering {
  public:
    // `asyncBoundMs`: how long one operation may take; 60 s.
    explicit WindowsTethering(int64_t asyncBoundMs = 60000) : asyncBoundMs_(asyncBoundMs) {}

    // Capability (GetTetheringCapabilityFromConnectionProfile), the manager's
    // MaxClientCount, ClientCount and TetheringOperationalState, and, where the
    // manager's statics have the fourth interface (Windows 10 2004 and later),
    // IsNoConnectionsTimeoutEnabled. `out` is written only when the answer is None.
    TetheringAnswer Query(const std::string& upstream, TetheringInfo& out) override;
    // A new access point configuration (RoActivateInstance) with the name and key,
    // handed to ConfigureAccessPointAsync.
    TetheringAnswer Configure(const std::string& upstream, const std::string& ssid,
                              const std::string& key, const StopSignal* stop) override;
    // StartTetheringAsync; its result's Status and AdditionalErrorMessage (UTF-8).
    TetheringAnswer Start(const std::string& upstream, const StopSignal* stop) override;
    // StopTetheringAsync, likewise.
    TetheringAnswer Stop(const StopSignal* stop) override;
    // The manager's client list: each client's MacAddress and its HostNames' RawName.
    // `out` is written only when the answer is None.
    TetheringAnswer Clients(std::vector<TetheringClient>& out) override;
    // DisableNoConnectionsTimeout of the fourth statics interface; a system without it
    // (before Windows 10 2004) answers Failed with E_NOINTERFACE.
    TetheringAnswer KeepOnWithoutClients() override;

  private:
    int64_t asyncBoundMs_;
};

}  // namespace hs::win
