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

// Like RunCommand, but false when the command could not be started at all.
// `output` is then empty. In a worker whose stop was asked it starts nothing and
// returns true with empty output: the caller's own check for the stop decides.
bool TryRunCommand(Host& host, const std::string& commandLine, std::string& output);

}  // namespace hs
