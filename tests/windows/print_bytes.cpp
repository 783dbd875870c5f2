// A console program whose output the command-runner tests control exactly. Each
// argument is one step, done in order:
//   text:T       prints T
//   hex:D6D0     prints the bytes given in hexadecimal
//   zero         prints one zero byte
//   count:N      prints the first N bytes of a numbered-record pattern (no zero byte)
//   fill:C:N     prints N copies of the character C
//   err:T        prints T on standard error
//   sleep:MS     sends what is pending, then sleeps MS milliseconds
//   touch:PATH   sends what is pending, then creates the file PATH
//   exit:N       sends what is pending and ends with exit code N
//   wide:T       prints T, as the program's UTF-16 command line holds it, in UTF-8
// Bytes of consecutive steps go out in a single write, so a test knows they reach
// the pipe together.
#include <windows.h>
// windows.h first: shellapi.h builds on it.
#include <shellapi.h>

#include <cstdlib>
#include <string>

#include "tests/windows/print_bytes.h"

namespace {

void Send(HANDLE handle, std::string& pending) {
    const char* data = pending.data();
    size_t left = pending.size();
    while (left > 0) {
        DWORD written = 0;
        const DWORD want = left < 65536 ? static_cast<DWORD>(left) : 65536;
        if (!WriteFile(handle, data, want, &written, nullptr) || written == 0)
            std::exit(3);
        data += written;
        left -= written;
    }
    pending.clear();
}

std::string FromHex(const std::string& hex) {
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        out += static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16));
    }
    return out;
}

// Argument `index` of the process's own UTF-16 command line, in UTF-8.
std::string WideArgument(int index) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string utf8;
    if (args != nullptr && index < count) {
        const wchar_t* arg = args[index];
        const int size = WideCharToMultiByte(CP_UTF8, 0, arg, -1, nullptr, 0, nullptr, nullptr);
        if (size > 1) {
            utf8.resize(static_cast<size_t>(size));
            WideCharToMultiByte(CP_UTF8, 0, arg, -1, utf8.data(), size, nullptr, nullptr);
            utf8.resize(static_cast<size_t>(size) - 1);
        }
    }
    LocalFree(args);
    return utf8;
}

}  // namespace

int main(int argc, char** argv) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    std::string pending;
    for (int i = 1; i < argc; ++i) {
        const std::string step = argv[i];
        const size_t colon = step.find(':');
        const std::string verb = step.substr(0, colon);
        const std::string arg = colon == std::string::npos ? "" : step.substr(colon + 1);
        if (verb == "text") {
            pending += arg;
        } else if (verb == "hex") {
            pending += FromHex(arg);
        } else if (verb == "zero") {
            pending += '\0';
        } else if (verb == "count") {
            pending += hs::test::PrintBytesPattern(std::strtoul(arg.c_str(), nullptr, 10));
        } else if (verb == "fill" && arg.size() >= 3) {
            pending += std::string(std::strtoul(arg.c_str() + 2, nullptr, 10), arg[0]);
        } else if (verb == "err") {
            Send(out, pending);
            std::string text = arg;
            Send(err, text);
        } else if (verb == "sleep") {
            Send(out, pending);
            Sleep(std::strtoul(arg.c_str(), nullptr, 10));
        } else if (verb == "touch") {
            Send(out, pending);
            HANDLE file = CreateFileA(arg.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        } else if (verb == "wide") {
            const std::string whole = WideArgument(i);
            pending += whole.substr(whole.find(':') + 1);
        } else if (verb == "exit") {
            Send(out, pending);
            return static_cast<int>(std::strtol(arg.c_str(), nullptr, 10));
        } else {
            return 2;
        }
    }
    Send(out, pending);
    return 0;
}
