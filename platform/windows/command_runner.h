// Console commands run hidden, their output captured through an anonymous pipe.
#pragma once

#include <string>

#include "platform/host.h"

namespace hs::win {

class WindowsCommandRunner : public CommandRunner {
  public:
    // Output is decoded from the console's OEM code page (936 on Chinese Windows).
    WindowsCommandRunner();
    // Output is decoded from `codePage` instead (used by tests that need a fixed one).
    explicit WindowsCommandRunner(unsigned codePage);

    // Starts `commandLine` (converted to the ANSI code page, no application name, so
    // the search path finds the tool) with a hidden window, its standard output and
    // standard error on one inheritable anonymous pipe of the default size and no
    // standard input. The pipe is polled every 10 ms; each read takes at most 1023
    // bytes into a zero-filled 1024-byte buffer and keeps the bytes before the first
    // zero byte. Pending window messages of the calling thread are processed between
    // polls. Once the child has ended the pipe is drained, and the accumulated bytes
    // are decoded to UTF-8 in one piece, so a character split between two reads
    // survives. Empty text, at once, when the process cannot be created. When `stop`
    // is requested the polling ends at once with what was read so far; the child is
    // left to finish on its own. Every handle is closed before it returns.
    std::string Run(const std::string& commandLine, const StopSignal* stop) override;

  private:
    unsigned codePage_;
};

}  // namespace hs::win
