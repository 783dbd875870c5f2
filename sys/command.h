// Console commands with captured output.
#pragma once

#include <string>

#include "platform/host.h"

namespace hs {

// Runs a console command line with no visible window and returns everything it
// printed on standard output and standard error as UTF-8 text, once it has ended.
// Empty text when the command could not be started. In a worker whose stop was
// asked it returns at once.
std::string RunCommand(Host& host, const std::string& commandLine);

}  // namespace hs
