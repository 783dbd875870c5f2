// The ports: the few small interfaces through which the portable program reaches
// the operating system. A production build fills a Host with the Windows
// implementations (platform/windows/); tests and the demo fill it with the
// simulated laptop (platform/sim/). Nothing portable includes either of them.
//
// Text crossing a port is UTF-8 unless a method says it carries raw bytes.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace hs {

// Shared by a worker thread and whoever asks it to stop. Waits that the worker
// makes (command polls, delays) return early once a stop was requested.
class StopSignal {
public:
    void Request() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requested_.store(true);
        }
        changed_.notify_all();
    }
    bool Requested() const { return requested_.load(); }
    // Sleeps up to `ms` milliseconds of real time; returns true when a stop was
    // requested before or during the wait.
    bool WaitFor(int64_t ms) const {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::milliseconds(ms > 0 ? ms : 0),
                                 [this] { return requested_.load(); });
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::atomic<bool> requested_{false};
};

// Runs console command lines hidden and captures what they print.
class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    // Runs `commandLine` (passed to the system as it stands) and returns everything
    // it printed on standard output and standard error, decoded from the console's
    // code page to UTF-8. Empty when the command could not be started. When `stop`
    // is requested while the command runs, returns at once with what was read so
    // far; the child is left to finish on its own.
    virtual std::string Run(const std::string& commandLine, const StopSignal* stop) = 0;
};

// Time and pauses. Under test the clock is virtual: a pause costs no real time and
// is recorded, so a test can assert the exact sequence of pauses.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary fixed point; never goes backwards.
    virtual int64_t NowMs() = 0;
    // Waits `ms` milliseconds. On the window thread it keeps processing window
    // messages while it waits. Returns at once when `stop` is (or becomes)
    // requested, or when the wait cannot be set up.
    virtual void Delay(int64_t ms, const StopSignal* stop) = 0;
};

// GBK (code page 936) <-> UTF-8. Bytes that do not decode become U+FFFD; characters
// that GBK cannot hold become "?".
class TextCodec {
public:
    virtual ~TextCodec() = default;
    virtual std::string GbkToUtf8(std::string_view gbk) = 0;
    virtual std::string Utf8ToGbk(std::string_view utf8) = 0;
};

// Whole-file access. Paths are the program's own Windows paths (such as
// "c:\tulawifi.ini"); the simulated host maps them into its data folder.
class FileStore {
public:
    virtual ~FileStore() = default;
    // Reads the whole file as raw bytes; false when it does not exist or cannot be read.
    virtual bool Read(const std::string& path, std::string& bytes) = 0;
    // Writes the bytes to a temporary file beside the target and renames it over the
    // target, so the file is never left half-written. False when that failed (the
    // old file is then unchanged).
    virtual bool Write(const std::string& path, std::string_view bytes) = 0;
};

// The operating system's version, as the two places the program reads it report it.
struct OsVersion {
    // What the system reports to the process (GetVersion). Windows 8.1 and later tell
    // a process without a compatibility declaration 6.2.
    int reportedMajor = 6;
    int reportedMinor = 1;
    // The process environment block's fields: platform id (2 = NT, 1 = 9x), major,
    // minor.
    int blockPlatformId = 2;
    int blockMajor = 6;
    int blockMinor = 1;
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    virtual OsVersion Version() = 0;
};

// The desktop the program runs on.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Looks for a top-level window titled exactly `title`; when there is one, restores
    // it (the open-icon operation) and returns true.
    virtual bool RestoreExistingWindow(const std::string& title) = 0;
};

// What the program is given to reach the system. The ports are owned by whoever
// builds the Host (a Windows host or a simulated laptop) and outlive it.
struct Host {
    CommandRunner* commands = nullptr;
    Clock* clock = nullptr;
    TextCodec* codec = nullptr;
    FileStore* files = nullptr;
    SystemInfo* system = nullptr;
    Desktop* desktop = nullptr;
};

}  // namespace hs
