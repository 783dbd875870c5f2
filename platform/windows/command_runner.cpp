#include "platform/windows/command_runner.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/windows/wide.h"
#include "platform/windows/windows_clock.h"

namespace hs::win {
namespace {

constexpr DWORD kPollMs = 10;
constexpr DWORD kBufferSize = 1024;
// One byte of the buffer always stays zero behind what was read.
constexpr DWORD kMaxRead = kBufferSize - 1;

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

// Reads one chunk of at most 1023 bytes and appends the part before its first zero
// byte. A read that fails appends nothing.
void ReadChunk(HANDLE readEnd, DWORD waiting, std::string& out) {
    char buffer[kBufferSize];
    std::memset(buffer, 0, sizeof buffer);
    DWORD got = 0;
    const DWORD want = waiting < kMaxRead ? waiting : kMaxRead;
    if (!ReadFile(readEnd, buffer, want, &got, nullptr))
        return;
    out.append(buffer, strnlen(buffer, got));
}

// The 10 ms pause between polls, ended early by a stop request.
void PausePoll(const StopSignal* stop, MessagePump& pump) {
    if (stop != nullptr) {
        stop->WaitFor(kPollMs);
    } else {
        Sleep(kPollMs);
    }
    if (pump.Active())
        pump.Pump();
}

}  // namespace

WindowsCommandRunner::WindowsCommandRunner() : codePage_(CP_OEMCP) {}

WindowsCommandRunner::WindowsCommandRunner(unsigned codePage) : codePage_(codePage) {}

std::string WindowsCommandRunner::Run(const std::string& commandLine, const StopSignal* stop) {
    if (StopAsked(stop))
        return {};

    SECURITY_ATTRIBUTES security;
    security.nLength = sizeof security;
    security.lpSecurityDescriptor = nullptr;
    security.bInheritHandle = TRUE;
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &security, 0))
        return {};
    // Only the write end is meant for the child; an inherited read end would stay
    // open in it (and in anything it starts) for no use.
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = nullptr;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;

    // CreateProcessA may write into the command line, so it gets its own buffer.
    const std::string ansi = ToCodePage(commandLine, CP_ACP);
    std::vector<char> line(ansi.begin(), ansi.end());
    line.push_back('\0');

    PROCESS_INFORMATION process;
    std::memset(&process, 0, sizeof process);
    const BOOL created = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    // The parent's copy of the write end goes at once, so the pipe reports its end
    // once the child and its descendants have closed theirs.
    CloseHandle(writeEnd);
    if (!created) {
        CloseHandle(readEnd);
        return {};
    }

    std::string bytes;
    {
        MessagePump pump;
        while (!StopAsked(stop)) {
            const DWORD waiting = BytesWaiting(readEnd);
            if (waiting > 0) {
                ReadChunk(readEnd, waiting, bytes);
            } else if (WaitForSingleObject(process.hProcess, 0) != WAIT_TIMEOUT) {
                // The child has ended (asked of the process object itself, so a child
                // whose exit code happens to be 259 is not taken as still running):
                // take whatever the pipe still holds.
                for (DWORD rest = BytesWaiting(readEnd); rest > 0 && !StopAsked(stop);
                     rest = BytesWaiting(readEnd)) {
                    ReadChunk(readEnd, rest, bytes);
                }
                break;
            }
            PausePoll(stop, pump);
        }
    }

    CloseHandle(readEnd);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return FromCodePage(bytes, codePage_);
}

}  // namespace hs::win
