#include "platform/sim/command_journal.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "sys/worker.h"

namespace hs::sim {

CommandJournal::CommandJournal(std::unique_ptr<CommandRunner> inner, std::function<int64_t()> nowMs)
    : inner_(std::move(inner)), nowMs_(std::move(nowMs)) {}

bool CommandJournal::Open(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (file_.is_open())
        file_.close();
    file_.clear();
    file_.open(std::filesystem::path(std::u8string(path.begin(), path.end())),
               std::ios::binary | std::ios::trunc);
    return file_.is_open();
}

bool CommandJournal::Run(const std::string& commandLine, const StopSignal* stop,
                         std::string& output) {
    // The thread that runs the command, named while still on it.
    std::string thread = CurrentTaskName();
    if (thread.empty())
        thread = "window";
    const bool started = inner_->Run(commandLine, stop, output);
    const bool stopped = stop != nullptr && stop->Requested();
    std::lock_guard<std::mutex> lock(mutex_);
    if (!file_.is_open())
        return started;
    // The time the answer was complete.
    const int64_t ms = std::max<int64_t>(nowMs_(), 0);
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "[%lld.%03lld s] ", static_cast<long long>(ms / 1000),
                  static_cast<long long>(ms % 1000));
    std::string entry = stamp + ("{" + thread + "} ") + commandLine;
    if (!started)
        entry += "  (could not be started)";
    else if (stopped)
        entry += "  (stopped)";
    entry += "\r\n" + output;
    if (!output.empty() && output.back() != '\n')
        entry += "\r\n";
    entry += "\r\n";
    file_.write(entry.data(), static_cast<std::streamsize>(entry.size()));
    file_.flush();
    return started;
}

}  // namespace hs::sim
