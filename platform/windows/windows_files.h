// Whole files on the Windows file system.
#pragma once

#include <string>

#include "platform/host.h"

namespace hs::win {

// Paths are UTF-8 Windows paths ("c:\tulawifi.ini"), used as they are.
class WindowsFiles : public FileStore {
  public:
    // Reads the whole file; other threads may read or replace it meanwhile.
    bool Read(const std::string& path, std::string& bytes) override;
    // Writes the bytes to a new temporary file beside the target, flushes it to disk
    // and moves it over the target (MoveFileExW with MOVEFILE_REPLACE_EXISTING and
    // MOVEFILE_WRITE_THROUGH). A replacement refused because a reader has the target
    // open is retried for a short while. On any failure the target is unchanged and
    // the temporary file is removed.
    bool Write(const std::string& path, std::string_view bytes) override;
};

}  // namespace hs::win
