// The simulated laptop: a Windows 7 to 11 machine in memory, behind every port
// of platform/host.h, for tests and for running the program without a wireless
// card. What one command changes the next command sees.
//
// Usage (the launcher's --simulate[=FILE], or a test):
//
//   std::string error;
//   auto laptop = hs::sim::SimulatedLaptop::FromScenario(
//       file.empty() ? hs::sim::SimulatedLaptop::DefaultScenario() : ReadWholeFile(file),
//       clock, codec, files, &error);          // nullptr and `error` on a bad scenario
//   hs::Host host = laptop->MakeHost();        // every port filled; valid while `laptop` lives
//
// The clock is the caller's: the real clock of the system, or a sim::VirtualClock in
// tests. The timeline (devices joining and leaving, traffic) is a function of that
// clock's time since FromScenario, so it is deterministic under a virtual clock.
// Console output is made as the GBK bytes a Chinese system prints (CR LF) and
// decoded through `codec`, as the Windows command runner decodes it. That holds in
// every console language: English is ASCII, and GBK holds the Traditional Chinese
// characters as well, so they arrive as printed (the code page 950 such a system
// uses is not simulated). Nothing here
// touches the real network, the browser or the power state: such requests are
// only recorded.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/host.h"
#include "platform/sim/laptop_model.h"
#include "platform/sim/scenario.h"

namespace hs {
class CommandJournal;
}  // namespace hs

namespace hs::sim {

class SimulatedLaptop {
  public:
    // Builds a laptop from a scenario (format in platform/sim/scenario.h). Returns
    // nullptr when the scenario has a mistake; `error` then says which line. Files
    // the scenario names are read through `scenarioFiles` (ReaderBeside(path) for a
    // scenario file); without it a scenario that names one is a mistake.
    static std::unique_ptr<SimulatedLaptop> FromScenario(
        const std::string& text, Clock& clock, TextCodec& codec, FileStore& files,
        std::string* error = nullptr, const ScenarioFileReader& scenarioFiles = {});
    // The built-in scenario's text.
    static std::string DefaultScenario();
    // A built-in scenario by name ("windows7", "windows11"); empty for another name.
    static std::string BuiltInScenario(const std::string& name);

    ~SimulatedLaptop();
    SimulatedLaptop(const SimulatedLaptop&) = delete;
    SimulatedLaptop& operator=(const SimulatedLaptop&) = delete;

    // A Host whose every port is this laptop (clock, codec and files are the ones given).
    Host MakeHost();

    // From now on every command line run through the host's command port is written
    // to the journal file at `path` (UTF-8), with its time in seconds on the
    // scenario's timeline and its answer, and every call of the Mobile Hotspot with the
    // system's answer; the file is started afresh. False when it
    // cannot be created (the commands still run).
    bool KeepJournal(const std::string& path);

    // A copy of the whole state, brought up to the clock's present time.
    LaptopModel Snapshot();
    // Changes the state under the laptop's lock, e.g. to switch the radio off mid-run.
    void Change(const std::function<void(LaptopModel&)>& change);
    // What the console prints for the command line, as raw GBK bytes with CR LF
    // (the command is run and changes the state like any other).
    std::string RunBytes(const std::string& commandLine);

  private:
    SimulatedLaptop(Clock& clock, TextCodec& codec, FileStore& files);

    std::unique_ptr<struct LaptopCore> core_;
    std::unique_ptr<struct LaptopPorts> ports_;
    CommandJournal* journal_ = nullptr;  // the command port, owned by ports_
    // The Mobile Hotspot's calls go in the same journal, as the real program's do.
    std::unique_ptr<Tethering> journalledTethering_;
};

}  // namespace hs::sim
