#include "sys/command.h"

#include "sys/worker.h"

namespace hs {

std::string RunCommand(Host& host, const std::string& commandLine) {
    std::string output;
    TryRunCommand(host, commandLine, output);
    return output;
}

bool TryRunCommand(Host& host, const std::string& commandLine, std::string& output) {
    output.clear();
    CheckNotWindowThread(commandLine.c_str());
    if (StopRequested())
        return true;
    return host.commands->Run(commandLine, CurrentStop(), output);
}

}  // namespace hs
