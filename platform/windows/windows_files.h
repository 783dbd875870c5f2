// Whole files on the Windows file system.
#pragma once

#include <string>

#include "platform/host.h"

namespace hs::win {

// Paths are UTF-8 Windows paths ("c:\tulawifi.ini"), used as they are.
class WindowsFiles : public FileStore {
  public:
    // Reads the whole file; other threads may read or replace it meanwhile. Missing
    // only when the file or its folder does not exist; a file that cannot be opened
    // (no right, opened exclusively elsewhere, a folder of that name) or read is
    // Failed.
    FileRead Read(const std::string& path, std::string& bytes) override;
    // Writes the bytes to a new temporary file "<target>.<process>-<n>.tmp" beside the
    // target, flushes it to disk and moves it over the target (MoveFileExW with
    // MOVEFILE_REPLACE_EXISTING and MOVEFILE_WRITE_THROUGH). A read-only target or a
    // folder of that name fails at once, before anything is written. A replacement
    // refused because another program has the target open is retried for a short
    // while; one refused for any other reason is not. On any failure the target is
    // unchanged and the temporary file is removed.
    bool Write(const std::string& path, std::string_view bytes) override;
    // Removes "<target>.<process>-<n>.tmp" files whose process no longer runs.
    int RemoveStaleTemporaries(const std::string& path) override;
};

}  // namespace hs::win
