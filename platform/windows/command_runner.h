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
    // standard input. While the pipe holds bytes they are read at once, up to 64
    // chunks of 1023 bytes per read; only when it is empty does the runner wait 10
    // ms before it looks again. Each chunk keeps the bytes before its first zero
    // byte, as a read of at most 1023 bytes into a zero-filled 1024-byte buffer
    // would. The calling thread's window messages are left in its queue: commands
    // run on workers, and no handler may run inside a wait. Once the child has ended
    // the pipe is drained, and the accumulated bytes are decoded to UTF-8 in one
    // piece, so a character split between two reads survives. False, at once, when
    // the pipe or the process cannot be created. When `stop` is requested the
    // polling ends at once with what was read so far; the child is left to finish on
    // its own. Every handle is closed before it returns.
    bool Run(const std::string& commandLine, const StopSignal* stop, std::string& output) override;

  private:
    unsigned codePage_;
};

}  // namespace hs::win
