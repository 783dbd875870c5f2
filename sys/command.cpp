#include "sys/command.h"

#include "sys/worker.h"

namespace hs {

std::string RunCommand(Host& host, const std::string& commandLine) {
    if (StopRequested()) return {};
    return host.commands->Run(commandLine, CurrentStop());
}

}  // namespace hs
