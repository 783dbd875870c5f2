#include "platform/windows/command_runner.h"

#include <windows.h>

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/windows/handle_list.h"
#include "platform/windows/wide.h"

namespace hs::win {
namespace {

constexpr DWORD kPollMs = 10;
// The console's chunk: the zero-byte cut applies to each piece of this many bytes.
constexpr DWORD kChunk = 1023;
// One read takes up to this many whole chunks, so a command that prints a lot is
// read at the pipe's speed rather than a chunk per poll.
constexpr DWORD kMaxRead = kChunk * 64;

// Held from the creation of a command's pipe until its child has been created and the
// parent's copy of the write end is closed. The write end is inheritable meanwhile, so
// a child started by another command at that moment would inherit it too and keep the
// first command's pipe open for as long as it runs.
std::mutex& SpawnLock() {
    static std::mutex lock;
    return lock;
}

bool StopAsked(const StopSignal* stop) {
    return stop != nullptr && stop->Requested();
}

// Bytes the pipe holds, without taking them; 0 when it holds none or is broken.
DWORD BytesWaiting(HANDLE readEnd) {
    DWORD waiting = 0;
    if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &waiting, nullptr))
        return 0;
    return waiting;
}

// Reads what is waiting (at most kMaxRead bytes) and appends it chunk by chunk,
// each chunk of 1023 bytes cut at its first zero byte, as if every chunk had been
// read into a zero-filled buffer on its own. A read that fails appends nothing.
void ReadChunks(HANDLE readEnd, DWORD waiting, std::vector<char>& buffer, std::string& out) {
    DWORD got = 0;
    const DWORD want = waiting < kMaxRead ? waiting : kMaxRead;
    if (!ReadFile(readEnd, buffer.data(), want, &got, nullptr))
        return;
    for (DWORD at = 0; at < got; at += kChunk) {
        const char* piece = buffer.data() + at;
        const DWORD size = got - at < kChunk ? got - at : kChunk;
        out.append(piece, strnlen(piece, size));
    }
}

// The 10 ms pause between polls, ended early by a stop request.
void PausePoll(const StopSignal* stop) {
    if (stop != nullptr) {
        stop->WaitFor(kPollMs);
    } else {
        Sleep(kPollMs);
    }
}

}  // namespace

WindowsCommandRunner::WindowsCommandRunner() : codePage_(CP_OEMCP) {}

WindowsCommandRunner::WindowsCommandRunner(unsigned codePage) : codePage_(codePage) {}

bool WindowsCommandRunner::Run(const std::string& commandLine, const StopSignal* stop,
                               std::string& output) {
    output.clear();
    if (StopAsked(stop))
        return true;

    std::unique_lock<std::mutex> spawning(SpawnLock());
    SECURITY_ATTRIBUTES security;
    security.nLength = sizeof security;
    security.lpSecurityDescriptor = nullptr;
    security.bInheritHandle = TRUE;
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &security, 0))
        return false;
    // Only the write end is meant for the child; an inherited read end would stay
    // open in it (and in anything it starts) for no use.
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOEXW startup;
    std::memset(&startup, 0, sizeof startup);
    startup.StartupInfo.cb = sizeof startup.StartupInfo;
    startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.StartupInfo.wShowWindow = SW_HIDE;
    startup.StartupInfo.hStdInput = nullptr;
    startup.StartupInfo.hStdOutput = writeEnd;
    startup.StartupInfo.hStdError = writeEnd;
    // The child inherits its own write end and nothing else: not the journal file the
    // program keeps open, which a child holding it would keep from being rotated, and
    // not another command's pipe. Where the system cannot limit it (Windows XP), the
    // spawn lock above keeps other commands' pipes out at least.
    HandleList inherited(&writeEnd, 1);
    DWORD flags = 0;
    if (inherited.Get() != nullptr) {
        startup.StartupInfo.cb = sizeof startup;
        startup.lpAttributeList = inherited.Get();
        flags = EXTENDED_STARTUPINFO_PRESENT;
    }

    // Started with the command line in UTF-16, so every character of a name or key
    // reaches the command as it is shown; the ANSI code page would turn a character it
    // lacks (an emoji; Chinese where the non-Unicode language is not Chinese) into "?".
    // CreateProcessW may write into the command line, so it gets its own buffer.
    std::wstring line = Widen(commandLine);

    PROCESS_INFORMATION process;
    std::memset(&process, 0, sizeof process);
    const BOOL created = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, flags,
                                        nullptr, nullptr, &startup.StartupInfo, &process);
    // The parent's copy of the write end goes at once, so the pipe reports its end
    // once the child and its descendants have closed theirs.
    CloseHandle(writeEnd);
    spawning.unlock();
    if (!created) {
        CloseHandle(readEnd);
        return false;
    }

    std::string bytes;
    {
        std::vector<char> buffer(kMaxRead);
        while (!StopAsked(stop)) {
            const DWORD waiting = BytesWaiting(readEnd);
            if (waiting > 0) {
                // More may follow at once: read again without pausing.
                ReadChunks(readEnd, waiting, buffer, bytes);
                continue;
            }
            if (WaitForSingleObject(process.hProcess, 0) != WAIT_TIMEOUT) {
                // The child has ended (asked of the process object itself, so a child
                // whose exit code happens to be 259 is not taken as still running):
                // take whatever the pipe still holds.
                for (DWORD rest = BytesWaiting(readEnd); rest > 0 && !StopAsked(stop);
                     rest = BytesWaiting(readEnd)) {
                    ReadChunks(readEnd, rest, buffer, bytes);
                }
                break;
            }
            PausePoll(stop);
        }
    }

    CloseHandle(readEnd);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    output = FromCodePage(bytes, codePage_);
    return true;
}

}  // namespace hs::win
