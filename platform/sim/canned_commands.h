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
    std::string Run(const std::string& commandLine, const StopSignal* stop) override;
    std::vector<std::string> Calls() const;

private:
    TextCodec& codec_;
    mutable std::mutex mutex_;
    std::map<std::string, std::string> outputs_;
    std::vector<std::string> calls_;
};

// What cmd prints, in GBK, for a command it cannot find.
std::string UnknownCommandOutput(TextCodec& codec, const std::string& commandLine);

}  // namespace hs::sim
