// A command runner that answers from a table: each known command line prints the
// GBK bytes given for it, decoded as the Windows runner decodes console output.
// Every command line run is recorded, in order.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/host.h"

namespace hs::sim {

class CannedCommands : public CommandRunner {
  public:
    explicit CannedCommands(TextCodec& codec);
    // `gbkOutput` is what the command prints, as raw console bytes.
    void Set(const std::string& commandLine, std::string gbkOutput);
    // Command lines that start with `prefix` (letter case ignored) cannot be started
    // from now on, as when the program is missing or the system refuses to create
    // the process.
    void SetUnstartable(const std::string& prefix);
    bool Run(const std::string& commandLine, const StopSignal* stop, std::string& output) override;
    // Every command line run, in order (unstartable ones included).
    std::vector<std::string> Calls() const;

  private:
    TextCodec& codec_;
    mutable std::mutex mutex_;
    std::map<std::string, std::string> outputs_;
    std::vector<std::string> unstartable_;
    std::vector<std::string> calls_;
};

// What cmd prints, in GBK, for a command it cannot find.
std::string UnknownCommandOutput(TextCodec& codec, const std::string& commandLine);

// True when `commandLine` begins with `prefix`, ASCII letter case ignored.
bool StartsWithNoCase(const std::string& commandLine, const std::string& prefix);

}  // namespace hs::sim
