// A command runner that writes down every command line another runner runs: when,
// and what it answered, in a text file a developer reads after a simulated run.
#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/host.h"

namespace hs::sim {

class CommandJournal : public CommandRunner {
  public:
    // Runs commands through `inner`; `nowMs` gives the time an entry is stamped with.
    CommandJournal(std::unique_ptr<CommandRunner> inner, std::function<int64_t()> nowMs);

    // Starts writing to the file at `path` (UTF-8), replacing what it held. Until
    // then, and after a failure to open it, commands are only passed on. False when
    // the file cannot be created.
    bool Open(const std::string& path);

    // Passes the command on and appends one entry to the journal (UTF-8, CR LF):
    //   [12.345 s] {start} netsh wlan start hostednetwork
    //   ...the answer as the program got it...
    // In braces, the thread that ran the command: the name of the task it is a worker
    // of (sys/worker.h), or "window" for the window thread and any thread outside a
    // task.
    // A command that could not be started is marked "(could not be started)", one
    // that was stopped "(stopped)". Each entry is flushed when written, so the
    // journal is whole up to the last command even when the program ends abruptly.
    bool Run(const std::string& commandLine, const StopSignal* stop, std::string& output) override;

  private:
    std::unique_ptr<CommandRunner> inner_;
    std::function<int64_t()> nowMs_;
    std::mutex mutex_;
    std::ofstream file_;
};

}  // namespace hs::sim
