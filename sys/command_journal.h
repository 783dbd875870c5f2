// A command runner that writes down every command line another runner runs: when, on
// which thread, and what it answered. The simulated laptop keeps one for developers;
// the real program keeps one a user can send when the hotspot does not start.
#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/host.h"

namespace hs {

class CommandJournal : public CommandRunner {
  public:
    // Runs commands through `inner` (owned, or borrowed for as long as this lives);
    // `nowMs` gives the time an entry is stamped with.
    CommandJournal(std::unique_ptr<CommandRunner> inner, std::function<int64_t()> nowMs);
    CommandJournal(CommandRunner& inner, std::function<int64_t()> nowMs);

    // Starts writing to the file at `path` (UTF-8), replacing what it held. Until
    // then, and after a failure to open it, commands are only passed on. False when
    // the file cannot be created.
    bool Open(const std::string& path);
    // Keeps the journal under `maxBytes`: an entry that would take it past the bound
    // first moves the file to PATH.1 (replacing an older one) and starts it afresh, so
    // at most twice the bound is ever kept. 0 (the default) is no bound.
    void SetBound(uint64_t maxBytes);
    // Writes the key of "netsh wlan set hostednetwork ... key="..."" as "*", so the
    // journal can be sent without the hotspot's password.
    void HideKeys(bool hide);

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

    // Appends one entry that is no command: a call of another port and its result,
    // stamped and named like a command's ("[12.345 s] {start} sharing: ...").
    void Note(const std::string& text);

  private:
    // "[12.345 s] {thread} ", the thread being the caller's.
    std::string Stamp();
    void Write(const std::string& entry);

    std::unique_ptr<CommandRunner> owned_;
    CommandRunner& inner_;
    std::function<int64_t()> nowMs_;
    std::mutex mutex_;
    std::ofstream file_;
    std::string path_;
    uint64_t written_ = 0;
    uint64_t maxBytes_ = 0;
    bool hideKeys_ = false;
};

// `commandLine` with the value of its key="..." argument written as "*".
std::string WithoutKey(const std::string& commandLine);

}  // namespace hs
