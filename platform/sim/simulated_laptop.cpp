#include "platform/sim/simulated_laptop.h"

#include "platform/sim/laptop_ports.h"
#include "platform/sim/scenario.h"
#include "sys/command_journal.h"
#include "sys/port_journal.h"

namespace hs::sim {

SimulatedLaptop::SimulatedLaptop(Clock& clock, TextCodec& codec, FileStore& files)
    : core_(std::make_unique<LaptopCore>(clock, codec, files)),
      ports_(std::make_unique<LaptopPorts>()) {
    LaptopCore& core = *core_;
    auto journal = std::make_unique<CommandJournal>(
        MakeCommandPort(core), [&core] { return core.clock.NowMs() - core.epochMs; });
    journal_ = journal.get();
    ports_->commands = std::move(journal);
    ports_->system = MakeSystemPort(core);
    ports_->desktop = MakeDesktopPort(core);
    ports_->sharing = MakeSharingPort(core);
    ports_->adapters = MakeAdapterPort(core);
    ports_->wireless = MakeWirelessPort(core);
    ports_->interfaces = MakeInterfacePort(core);
    ports_->internet = MakeInternetPort(core);
    ports_->network = MakeProbePort(core);
    ports_->services = MakeServicePort(core);
    ports_->http = MakeHttpPort(core);
    ports_->shell = MakeShellPort(core);
    ports_->power = MakePowerPort(core);
    ports_->random = MakeRandomPort(core);
    ports_->tethering = MakeTetheringPort(core);
    journalledTethering_ = std::make_unique<JournalledTethering>(*ports_->tethering, *journal_);
}

SimulatedLaptop::~SimulatedLaptop() = default;

std::unique_ptr<SimulatedLaptop> SimulatedLaptop::FromScenario(
    const std::string& text, Clock& clock, TextCodec& codec, FileStore& files, std::string* error,
    const ScenarioFileReader& scenarioFiles) {
    std::unique_ptr<SimulatedLaptop> laptop(new SimulatedLaptop(clock, codec, files));
    std::string problem;
    if (!ParseScenario(text, laptop->core_->model, problem, scenarioFiles)) {
        if (error != nullptr)
            *error = "scenario: " + problem;
        return nullptr;
    }
    laptop->core_->epochMs = clock.NowMs();
    return laptop;
}

std::string SimulatedLaptop::DefaultScenario() {
    return DefaultScenarioText();
}

std::string SimulatedLaptop::BuiltInScenario(const std::string& name) {
    return BuiltInScenarioText(name);
}

Host SimulatedLaptop::MakeHost() {
    Host host;
    host.commands = ports_->commands.get();
    host.clock = &core_->clock;
    host.codec = &core_->codec;
    host.files = &core_->files;
    host.system = ports_->system.get();
    host.desktop = ports_->desktop.get();
    host.sharing = ports_->sharing.get();
    host.adapters = ports_->adapters.get();
    host.wireless = ports_->wireless.get();
    host.interfaces = ports_->interfaces.get();
    host.internet = ports_->internet.get();
    host.services = ports_->services.get();
    host.http = ports_->http.get();
    host.shell = ports_->shell.get();
    host.network = ports_->network.get();
    host.power = ports_->power.get();
    host.random = ports_->random.get();
    host.tethering = journalledTethering_.get();
    return host;
}

bool SimulatedLaptop::KeepJournal(const std::string& path) {
    return journal_->Open(path);
}

LaptopModel SimulatedLaptop::Snapshot() {
    auto lock = core_->Lock();
    return core_->model;
}

void SimulatedLaptop::Change(const std::function<void(LaptopModel&)>& change) {
    auto lock = core_->Lock();
    change(core_->model);
    core_->model.AdvanceTo(core_->model.nowMs);
}

std::string SimulatedLaptop::RunBytes(const std::string& commandLine) {
    std::string text;
    {
        auto lock = core_->Lock();
        text = core_->model.Run(commandLine);
    }
    return core_->codec.Utf8ToGbk(text);
}

}  // namespace hs::sim
