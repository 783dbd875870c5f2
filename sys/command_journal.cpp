#include "sys/command_journal.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "sys/worker.h"

namespace hs {

namespace {

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

CommandJournal::CommandJournal(std::unique_ptr<CommandRunner> inner, std::function<int64_t()> nowMs)
    : owned_(std::move(inner)), inner_(*owned_), nowMs_(std::move(nowMs)) {}

CommandJournal::CommandJournal(CommandRunner& inner, std::function<int64_t()> nowMs)
    : inner_(inner), nowMs_(std::move(nowMs)) {}

bool CommandJournal::Open(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (file_.is_open())
        file_.close();
    file_.clear();
    path_ = path;
    written_ = 0;
    file_.open(PathOf(path), std::ios::binary | std::ios::trunc);
    return file_.is_open();
}

void CommandJournal::SetBound(uint64_t maxBytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    maxBytes_ = maxBytes;
}

void CommandJournal::HideKeys(bool hide) {
    std::lock_guard<std::mutex> lock(mutex_);
    hideKeys_ = hide;
}

std::string CommandJournal::Stamp() {
    std::string thread = CurrentTaskName();
    if (thread.empty())
        thread = "window";
    const int64_t ms = std::max<int64_t>(nowMs_(), 0);
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "[%lld.%03lld s] ", static_cast<long long>(ms / 1000),
                  static_cast<long long>(ms % 1000));
    return stamp + ("{" + thread + "} ");
}

void CommandJournal::Note(const std::string& text) {
    std::string entry = Stamp() + text + "\r\n\r\n";
    std::lock_guard<std::mutex> lock(mutex_);
    if (file_.is_open())
        Write(entry);
}

bool CommandJournal::Run(const std::string& commandLine, const StopSignal* stop,
                         std::string& output) {
    const bool started = inner_.Run(commandLine, stop, output);
    const bool stopped = stop != nullptr && stop->Requested();
    // Stamped when the answer was complete, on the thread that ran the command.
    std::string entry = Stamp();
    std::lock_guard<std::mutex> lock(mutex_);
    if (!file_.is_open())
        return started;
    entry += hideKeys_ ? WithoutKey(commandLine) : commandLine;
    if (!started)
        entry += "  (could not be started)";
    else if (stopped)
        entry += "  (stopped)";
    entry += "\r\n" + output;
    if (!output.empty() && output.back() != '\n')
        entry += "\r\n";
    entry += "\r\n";
    Write(entry);
    return started;
}

void CommandJournal::Write(const std::string& entry) {
    if (maxBytes_ > 0 && written_ > 0 && written_ + entry.size() > maxBytes_) {
        // The file so far becomes the one older journal kept.
        file_.close();
        // The older file goes first: not every system's rename replaces an existing
        // target (the C runtime's rename on Windows refuses to), and a failed rename
        // would leave the journal so far to be truncated below.
        std::error_code error;
        std::filesystem::remove(PathOf(path_ + ".1"), error);
        std::filesystem::rename(PathOf(path_), PathOf(path_ + ".1"), error);
        // A file another process still holds open cannot be renamed on Windows; its
        // contents are copied instead, so they are kept all the same.
        if (error) {
            std::filesystem::copy_file(PathOf(path_), PathOf(path_ + ".1"),
                                       std::filesystem::copy_options::overwrite_existing, error);
        }
        file_.clear();
        file_.open(PathOf(path_), std::ios::binary | std::ios::trunc);
        written_ = 0;
        if (!file_.is_open())
            return;
    }
    file_.write(entry.data(), static_cast<std::streamsize>(entry.size()));
    file_.flush();
    written_ += entry.size();
}

std::string WithoutKey(const std::string& commandLine) {
    const std::string marker = "key=\"";
    const size_t at = commandLine.find(marker);
    if (at == std::string::npos)
        return commandLine;
    const size_t from = at + marker.size();
    const size_t to = commandLine.find('"', from);
    return commandLine.substr(0, from) + "*" +
           (to == std::string::npos ? std::string("\"") : commandLine.substr(to));
}

}  // namespace hs
