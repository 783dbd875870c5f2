// The sharing manager, the service manager and the Mobile Hotspot's tethering manager,
// written down in the command journal: every call with its result, so the journal a
// user sends tells what the system said.
#pragma once

#include <string>

#include "platform/host.h"
#include "sys/command_journal.h"

namespace hs {

class JournalledSharing : public SharingManager {
  public:
    JournalledSharing(SharingManager& inner, CommandJournal& journal)
        : inner_(inner), journal_(journal) {}
    using SharingManager::EnableSharing;
    SharingError Connections(std::vector<SharingConnection>& out) override;
    SharingError EnableSharing(const std::string& name, SharingType type, uint32_t* code) override;
    SharingError DisableSharing(const std::string& name) override;

  private:
    SharingManager& inner_;
    CommandJournal& journal_;
};

class JournalledServices : public ServiceManager {
  public:
    JournalledServices(ServiceManager& inner, CommandJournal& journal)
        : inner_(inner), journal_(journal) {}
    bool Query(const std::string& service, ServiceStatus& out) override;
    bool SetStartType(const std::string& service, int startType) override;
    bool Start(const std::string& service) override;

  private:
    ServiceManager& inner_;
    CommandJournal& journal_;
};

// Each call with its upstream, its failure kind, the HRESULT in hex, the operation's
// status and the system's own words; the key given to Configure is written as "*".
class JournalledTethering : public Tethering {
  public:
    JournalledTethering(Tethering& inner, CommandJournal& journal)
        : inner_(inner), journal_(journal) {}
    TetheringAnswer Query(const std::string& upstream, TetheringInfo& out) override;
    TetheringAnswer Configure(const std::string& upstream, const std::string& ssid,
                              const std::string& key, const StopSignal* stop) override;
    TetheringAnswer Start(const std::string& upstream, const StopSignal* stop) override;
    TetheringAnswer Stop(const StopSignal* stop) override;
    TetheringAnswer Clients(std::vector<TetheringClient>& out) override;
    TetheringAnswer KeepOnWithoutClients() override;

  private:
    Tethering& inner_;
    CommandJournal& journal_;
};

}  // namespace hs
