// Files kept in one folder: a Windows path such as "c:\tulawifi.ini" maps to the
// file of the same name in that folder.
#pragma once

#include <string>

#include "platform/host.h"

namespace hs::sim {

class DirectoryFiles : public FileStore {
  public:
    explicit DirectoryFiles(std::string folder);
    FileRead Read(const std::string& path, std::string& bytes) override;
    // As on Windows, a file without write permission for its owner is read-only: it
    // is not replaced, and the write fails at once.
    bool Write(const std::string& path, std::string_view bytes) override;
    int RemoveStaleTemporaries(const std::string& path) override;
    // Where `path` is kept.
    std::string Locate(const std::string& path) const;

  private:
    std::string folder_;
};

}  // namespace hs::sim
