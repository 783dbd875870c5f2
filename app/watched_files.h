// The program's own files, watched: a write of the settings, blacklist or names file
// that fails (a locked-down machine, a read-only disk) is told once per file in the
// notification area's balloon, so nothing the user set is lost without a word.
#pragma once

#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

#include "platform/host.h"
#include "sys/dispatcher.h"

namespace hs::app {

class WatchedFiles : public FileStore {
  public:
    // Passes every call on to `inner`. `failed` runs on the window thread (through
    // `window`) with the path of a watched file whose write failed, once per file.
    WatchedFiles(FileStore& inner, Dispatcher& window,
                 std::function<void(const std::string& path)> failed);

    FileRead Read(const std::string& path, std::string& bytes) override;
    bool Write(const std::string& path, std::string_view bytes) override;
    int RemoveStaleTemporaries(const std::string& path) override;

    FileStore& Inner() { return inner_; }

  private:
    FileStore& inner_;
    Dispatcher& window_;
    std::function<void(const std::string& path)> failed_;
    std::mutex mutex_;
    std::set<std::string> told_;  // upper case
};

// What the balloon says when the file at `path` could not be saved.
std::string WriteFailedText(const std::string& path);

}  // namespace hs::app
